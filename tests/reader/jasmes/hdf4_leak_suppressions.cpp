// The HDF4 library keeps what it allocated for a file it failed to open
// (truncated or corrupt files of the malformed-input tests) until the process
// ends. Those blocks are the library's own; the leak checker of sanitizer
// builds is told to leave them alone, and only them.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libdfalt.so\n"
           "leak:libmfhdfalt.so\n";
}
