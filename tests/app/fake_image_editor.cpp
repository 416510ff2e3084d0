// The image editor of the window tests. Given the picture to edit, it saves it twice, as a
// modder would: first by writing over the file, then, two seconds later, by writing a new file
// and renaming it over the old one, as many editors do. What it saves are the pictures named in
// FAKE_EDITOR_SAVES, one path a line.
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace fs = std::filesystem;

namespace {

// Through streams: MinGW's std::filesystem::copy_file refuses to overwrite any file.
bool copyBytes(const fs::path &from, const fs::path &to)
{
    std::ifstream in(from, std::ios::binary);
    std::ofstream out(to, std::ios::binary | std::ios::trunc);
    out << in.rdbuf();
    out.close();
    return in && out;
}

} // namespace

int main(int argc, char **argv)
{
    const char *saves = std::getenv("FAKE_EDITOR_SAVES");
    std::istringstream lines(saves ? saves : "");
    std::string first;
    std::string second;
    if (argc != 2 || !std::getline(lines, first) || !std::getline(lines, second))
        return 2;
    const fs::path picture = argv[1];
    fs::path fresh = picture;
    fresh += ".new";
    if (!copyBytes(first, picture))
        return 3;
    std::this_thread::sleep_for(std::chrono::seconds(2));
    std::error_code error;
    if (copyBytes(second, fresh))
        fs::rename(fresh, picture, error);
    return error || fs::exists(fresh) ? 3 : 0;
}
