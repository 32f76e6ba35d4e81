#pragma once
// Standard output that remembers why it first failed: the C library drops its buffer
// after a failed write, and with it the error, so asking at the end would be too late.

#include <cstdio>
#include <streambuf>
#include <system_error>

namespace MyApp {

class CheckedOutput : public std::streambuf {
public:
    explicit CheckedOutput(std::FILE* stream) : file(stream) {}
    // Flushes what is left; nothing when everything was written.
    std::error_code Finish();

protected:
    int_type overflow(int_type c) override;
    std::streamsize xsputn(const char* text, std::streamsize count) override;
    int sync() override;

private:
    bool Check(bool written);

    std::FILE* file;
    std::error_code failure;
};

}  // namespace MyApp
