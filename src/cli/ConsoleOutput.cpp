#include "ConsoleOutput.h"

#include <cstdint>

#ifdef _WIN32
#include <windows.h>

#include <array>
#include <iostream>
#include <streambuf>
#endif

namespace ConsoleOutput {

namespace {

constexpr char16_t kReplacement = 0xFFFD;
constexpr char32_t kByteOrderMark = 0xFEFF;

// The length of the sequence that `lead` starts, or 0 for a byte that starts none.
std::size_t sequenceLength(unsigned char lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// Whether `byte` may follow the lead byte `lead` at position `at` of its sequence: the second
// byte's range keeps out overlong forms, surrogates and code points past U+10FFFF.
bool mayFollow(unsigned char lead, std::size_t at, unsigned char byte)
{
    if (at == 1) {
        if (lead == 0xE0)
            return byte >= 0xA0 && byte <= 0xBF;
        if (lead == 0xED)
            return byte >= 0x80 && byte <= 0x9F;
        if (lead == 0xF0)
            return byte >= 0x90 && byte <= 0xBF;
        if (lead == 0xF4)
            return byte >= 0x80 && byte <= 0x8F;
    }
    return byte >= 0x80 && byte <= 0xBF;
}

void append(std::u16string &out, char32_t code)
{
    if (code < 0x10000) {
        out += static_cast<char16_t>(code);
    } else {
        code -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (code >> 10));
        out += static_cast<char16_t>(0xDC00 + (code & 0x3FF));
    }
}

} // namespace

std::u16string Utf16Text::feed(std::string_view bytes)
{
    mPending.append(bytes);
    std::u16string out;
    std::size_t i = 0;
    while (i < mPending.size()) {
        const auto lead = static_cast<unsigned char>(mPending[i]);
        const std::size_t length = sequenceLength(lead);
        std::size_t valid = length == 0 ? 0 : 1;
        while (valid > 0 && valid < length && i + valid < mPending.size() &&
               mayFollow(lead, valid, static_cast<unsigned char>(mPending[i + valid])))
            ++valid;
        if (valid > 0 && valid < length && i + valid == mPending.size())
            break; // the rest of the character comes with the next piece
        if (valid == 0 || valid < length) {
            out += kReplacement;
            i += valid == 0 ? 1 : valid;
            mStarted = true;
            continue;
        }
        char32_t code = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k)
            code = (code << 6) | (static_cast<unsigned char>(mPending[i + k]) & 0x3F);
        if (mStarted || code != kByteOrderMark)
            append(out, code);
        mStarted = true;
        i += length;
    }
    mPending.erase(0, i);
    return out;
}

std::u16string Utf16Text::finish()
{
    const bool unfinished = !mPending.empty();
    mPending.clear();
    return unfinished ? std::u16string(1, kReplacement) : std::u16string();
}

#ifdef _WIN32
namespace {

// A stream buffer that hands what it holds to the console, converted, whenever it is full or
// flushed (std::cerr flushes after every output, std::cout at the end or when asked).
class ConsoleBuffer : public std::streambuf
{
public:
    explicit ConsoleBuffer(HANDLE console) : mConsole(console)
    {
        setp(mBuffer.data(), mBuffer.data() + mBuffer.size());
    }

protected:
    int_type overflow(int_type c) override
    {
        if (!send())
            return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override { return send() ? 0 : -1; }

private:
    bool send()
    {
        const std::u16string text =
            mText.feed(std::string_view(pbase(), static_cast<std::size_t>(pptr() - pbase())));
        setp(mBuffer.data(), mBuffer.data() + mBuffer.size());
        std::size_t sent = 0;
        while (sent < text.size()) {
            // The console takes a limited amount at once; 8 K characters fit every version.
            const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(text.size() - sent, 8192));
            DWORD written = 0;
            if (!::WriteConsoleW(mConsole, text.data() + sent, chunk, &written, nullptr) ||
                written == 0)
                return false;
            sent += written;
        }
        return true;
    }

    HANDLE mConsole;
    Utf16Text mText;
    std::array<char, 4096> mBuffer{};
};

void redirect(std::ostream &stream, DWORD which)
{
    const HANDLE handle = ::GetStdHandle(which);
    DWORD mode = 0;
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || !::GetConsoleMode(handle, &mode))
        return; // a file or a pipe: the bytes go as they are
    stream.flush();
    // Never freed: std::cout is flushed once more when the program ends, after every static
    // object of this file may be gone.
    stream.rdbuf(new ConsoleBuffer(handle));
}

} // namespace

void install()
{
    redirect(std::cout, STD_OUTPUT_HANDLE);
    redirect(std::cerr, STD_ERROR_HANDLE);
}
#else
void install() {}
#endif

} // namespace ConsoleOutput
