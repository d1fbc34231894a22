#include "shell/mdlComFunctions.h"

#include "platform/HexDigit.h"
#include "platform/Prompts.h"
#include "platform/ZorvError.h"

#include <QDir>
#include <QLocale>
#include <QMimeData>
#include <QStringDecoder>
#include <QStringList>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <optional>

namespace mdlComFunctions {
namespace {

constexpr int32_t kOverflowError = 6;

uint32_t bitMask(int32_t bit) {
    return bit >= 0 && bit <= 31 ? uint32_t{1} << bit : 0;
}

int32_t checked32(int64_t value) {
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        throw platform::ZorvError(kOverflowError, QStringLiteral("mdlComFunctions"),
                                  QStringLiteral("Overflow"));
    return static_cast<int32_t>(value);
}

// Text bytes are UTF-8 when they are valid UTF-8, else Latin-1.
QString decodeBytes(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

// A value as a 32-bit registry number; nothing when it does not fit.
std::optional<int32_t> registryNumber(const QVariant& value) {
    constexpr double lowest = std::numeric_limits<int32_t>::min();
    constexpr double highest = std::numeric_limits<int32_t>::max();
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        return 0;
    case QMetaType::Bool:
        return value.toBool() ? -1 : 0;
    case QMetaType::UInt:
        return static_cast<int32_t>(value.toUInt());
    case QMetaType::Double:
    case QMetaType::Float: {
        const double rounded = std::nearbyint(value.toDouble());
        if (!(rounded >= lowest && rounded <= highest))
            return std::nullopt;
        return static_cast<int32_t>(rounded);
    }
    default: {
        bool ok = false;
        const qlonglong number = value.toLongLong(&ok);
        if (!ok || number < lowest || number > highest)
            return std::nullopt;
        return static_cast<int32_t>(number);
    }
    }
}

} // namespace

QString TrimNull(const QString& text) {
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    return nul < 0 ? text : text.left(nul);
}

int32_t ReplaceAll(QString& text, const QString& find, const QString& replacement,
                   Qt::CaseSensitivity compare) {
    if (find.isEmpty() || find == replacement)
        return 0;
    // The search goes on after each inserted replacement, so it never finds
    // the sought text inside a replacement.
    QString result;
    qsizetype from = 0;
    int32_t count = 0;
    for (qsizetype hit = text.indexOf(find, 0, compare); hit >= 0;
         hit = text.indexOf(find, from, compare)) {
        result += QStringView(text).sliced(from, hit - from);
        result += replacement;
        from = hit + find.size();
        ++count;
    }
    if (count) {
        result += QStringView(text).sliced(from);
        text = result;
    }
    return count;
}

QString AppendWithSeparator(QString& text, const QString& item, const QString& separator) {
    if (!text.isEmpty() && !item.isEmpty())
        text += separator;
    text += item;
    return text;
}

QString PluralForm(int32_t count, const QString& one, const QString& few, const QString& many) {
    const int64_t size = std::abs(static_cast<int64_t>(count));
    if (size == 1)
        return one;
    return size >= 2 && size <= 4 ? few : many;
}

int32_t Inc(int32_t& number, int32_t step) {
    number = checked32(static_cast<int64_t>(number) + step);
    return number;
}

void Dec(int32_t& number, int32_t step) {
    number = checked32(static_cast<int64_t>(number) - step);
}

bool IsBitSet(int32_t value, int32_t bit) {
    return (static_cast<uint32_t>(value) & bitMask(bit)) != 0;
}

int32_t SetBit(int32_t value, int32_t bit) {
    return static_cast<int32_t>(static_cast<uint32_t>(value) | bitMask(bit));
}

int32_t ClearBit(int32_t value, int32_t bit) {
    return static_cast<int32_t>(static_cast<uint32_t>(value) & ~bitMask(bit));
}

int32_t HiWord(int32_t value) {
    return static_cast<int16_t>(static_cast<uint32_t>(value) >> 16);
}

int32_t LoWord(int32_t value) {
    return static_cast<int16_t>(static_cast<uint32_t>(value) & 0xFFFF);
}

int32_t BoolToLong(bool flag) {
    return flag ? 1 : 0;
}

bool LongToBool(int32_t number) {
    return number != 0;
}

bool IsEven(int32_t number) {
    return number % 2 == 0;
}

std::optional<double> TextNumber(const QString& text) {
    bool ok = false;
    const double number = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return number;
}

std::optional<int32_t> WholeNumber(double number) {
    const double rounded = std::nearbyint(number);
    if (!(rounded >= std::numeric_limits<int32_t>::min() &&
          rounded <= std::numeric_limits<int32_t>::max()))
        return std::nullopt;
    return static_cast<int32_t>(rounded);
}

// Shifts, not divisions: a division rounds a negative value towards zero and
// would give the wrong byte of a colour whose top byte is set.
int32_t GetColorByte0(int32_t value) {
    return value & 255;
}

int32_t GetColorByte1(int32_t value) {
    return (value >> 8) & 255;
}

int32_t GetColorByte2(int32_t value) {
    return (value >> 16) & 255;
}

int32_t RGBToBGR(int32_t color) {
    return GetColorByte0(color) << 16 | GetColorByte1(color) << 8 | GetColorByte2(color);
}

int32_t BGRToRGB(int32_t color) {
    return RGBToBGR(color);
}

QString ColorToHex(int32_t value, int32_t width) {
    const QString digits = QString::number(static_cast<uint32_t>(value), 16).toUpper();
    if (width == 0 && value != 0)
        width = static_cast<int32_t>(digits.size() + digits.size() % 2);
    return width > digits.size() ? digits.rightJustified(width, u'0') : digits;
}

int32_t HexToLong(const QString& text) {
    uint32_t number = 0;
    int significant = 0;
    for (const QChar c : text) {
        const int digit = platform::hexDigitValue(c);
        if (digit < 0)
            break;
        if (significant || digit)
            ++significant;
        if (significant > 8)
            return 0;
        number = number << 4 | static_cast<uint32_t>(digit);
    }
    return static_cast<int32_t>(number);
}

bool IsHexText(const QString& text) {
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return platform::hexDigitValue(c) >= 0; });
}

int32_t ArrayCount(const QVariant& array, int32_t* lower, int32_t* upper) {
    qsizetype count = 0;
    if (array.typeId() == QMetaType::QStringList)
        count = array.toStringList().size();
    else if (array.typeId() == QMetaType::QVariantList)
        count = array.toList().size();
    if (lower)
        *lower = count ? 0 : -1;
    if (upper)
        *upper = count ? static_cast<int32_t>(count - 1) : -1;
    return static_cast<int32_t>(count);
}

bool RegSetValue(const platform::RegKey& key, const QString& name, const QVariant& value) {
    if (value.typeId() == QMetaType::QString)
        return key.setText(name, value.toString());
    if (value.typeId() == QMetaType::QByteArray)
        return key.setText(name, decodeBytes(value.toByteArray()));
    const auto number = registryNumber(value);
    return number && key.setNumber(name, *number);
}

bool RegQueryValue(const platform::RegKey& key, const QString& name, int32_t type, QVariant& value,
                   const QVariant& defaultValue) {
    bool found = false;
    if (type == platform::REG_SZ) {
        if (const auto text = key.text(name)) {
            value = TrimNull(*text);
            found = true;
        }
    } else if (type == platform::REG_DWORD) {
        const auto number = key.number(name);
        value = number.value_or(0);
        found = number.has_value();
    }
    if (!found && defaultValue.isValid())
        value = defaultValue;
    return found;
}

QString BrowseForFolder(QObject* owner, const QString& title) {
    return platform::prompts().chooseFolder(owner, title);
}

bool HasDroppedFiles(const QMimeData* data) {
    if (!data || !data->hasUrls())
        return false;
    const QList<QUrl> urls = data->urls();
    return std::any_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
}

bool PointInRect(int32_t left, int32_t top, int32_t right, int32_t bottom, int32_t x, int32_t y) {
    return left <= x && x <= right && top <= y && y <= bottom;
}

QString GetTempDir() {
    QString folder = QDir::tempPath();
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return folder;
}

QString FileVersionText(uint32_t mostSignificant, uint32_t leastSignificant) {
    return QStringLiteral("%1.%2.%3.%4")
        .arg(mostSignificant >> 16)
        .arg(mostSignificant & 0xFFFF)
        .arg(leastSignificant >> 16)
        .arg(leastSignificant & 0xFFFF);
}

QString GetAppVersion() {
    return QStringLiteral(ZORV_APP_VERSION);
}

} // namespace mdlComFunctions
