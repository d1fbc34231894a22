// Defaults for the sanitizers of a test build, read by their run-time before
// main. Errors already halt (the code is built with -fno-sanitize-recover);
// the leak checker takes the narrow list of reports that belong to the
// uninstrumented libraries beneath us (Qt, fontconfig).
extern "C" {

const char* __ubsan_default_options() {
    return "print_stacktrace=1";
}

const char* __lsan_default_options() {
    return "suppressions=" ZORV_LSAN_SUPPRESSIONS ":print_suppressions=0";
}

} // extern "C"
