#include "Packing.h"

#include <zlib.h>

namespace zorvfd {
namespace {

constexpr int kGzipWindow = 16 + MAX_WBITS;

std::string limitText(std::size_t limit) {
    return "it unpacks to more than " + std::to_string(limit >> 20) + " MiB";
}

} // namespace

bool isPacked(std::string_view bytes) {
    return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0x1f &&
           static_cast<unsigned char>(bytes[1]) == 0x8b;
}

bool unpack(std::string_view packed, std::string& plain, std::string& reason, std::size_t limit) {
    plain.clear();
    if (packed.size() > limit) {
        reason = limitText(limit);
        return false;
    }
    z_stream zs{};
    if (inflateInit2(&zs, kGzipWindow) != Z_OK) {
        reason = "the unpacker cannot start";
        return false;
    }
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    zs.avail_in = static_cast<uInt>(packed.size());
    char chunk[1 << 16];
    bool ok = true;
    while (ok) {
        zs.next_out = reinterpret_cast<Bytef*>(chunk);
        zs.avail_out = sizeof chunk;
        const int rc = inflate(&zs, Z_NO_FLUSH);
        const std::size_t produced = sizeof chunk - zs.avail_out;
        if (plain.size() + produced > limit) {
            reason = limitText(limit);
            ok = false;
            break;
        }
        plain.append(chunk, produced);
        if (rc == Z_STREAM_END) {
            if (zs.avail_in == 0)
                break;
            // gzip allows several members back to back.
            const std::string_view rest(reinterpret_cast<const char*>(zs.next_in), zs.avail_in);
            if (!isPacked(rest)) {
                reason = "unexpected bytes follow the packed data";
                ok = false;
            } else if (inflateReset(&zs) != Z_OK) {
                reason = "the unpacker cannot restart";
                ok = false;
            }
        } else if (rc == Z_BUF_ERROR || (rc == Z_OK && zs.avail_in == 0 && produced == 0)) {
            reason = "the packed data is truncated";
            ok = false;
        } else if (rc != Z_OK) {
            reason =
                std::string("the packed data is corrupt (") + (zs.msg ? zs.msg : "bad data") + ")";
            ok = false;
        }
    }
    inflateEnd(&zs);
    if (!ok)
        plain.clear();
    return ok;
}

bool pack(std::string_view plain, std::string& packed, std::string& reason) {
    z_stream zs{};
    if (deflateInit2(&zs, Z_DEFAULT_COMPRESSION, Z_DEFLATED, kGzipWindow, 8, Z_DEFAULT_STRATEGY) !=
        Z_OK) {
        reason = "the packer cannot start";
        return false;
    }
    packed.resize(deflateBound(&zs, static_cast<uLong>(plain.size())));
    zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(plain.data()));
    zs.avail_in = static_cast<uInt>(plain.size());
    zs.next_out = reinterpret_cast<Bytef*>(packed.data());
    zs.avail_out = static_cast<uInt>(packed.size());
    const int rc = deflate(&zs, Z_FINISH);
    packed.resize(zs.total_out);
    deflateEnd(&zs);
    if (rc != Z_STREAM_END) {
        reason = "packing failed";
        packed.clear();
        return false;
    }
    return true;
}

} // namespace zorvfd
