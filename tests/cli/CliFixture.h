#pragma once
// Runs cleatwork-cli in a fresh folder and collects its exit status and output.
#include "TempDir.h"
#include "TestData.h"

#include <algorithm>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#ifndef _WIN32
#include <sys/wait.h>
#endif

using TestData::Bytes;

struct CliRun
{
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string slurp(const std::string &path)
{
    std::ifstream f(path, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

class Cli : public testing::Test
{
protected:
    /// Runs the program with `arguments` (quoted as for a POSIX shell, with single quotes),
    /// after the shell commands `before` (limits; POSIX only).
    CliRun run(const std::string &arguments, const std::string &before = "")
    {
        CliRun r;
#ifdef _WIN32
        // cmd.exe quotes with double quotes, and takes the whole line in one more pair.
        std::string program = CLEATWORK_CLI;
        std::replace(program.begin(), program.end(), '/', '\\');
        std::string quoted = arguments;
        std::replace(quoted.begin(), quoted.end(), '\'', '"');
        EXPECT_TRUE(before.empty()) << "shell commands run only on POSIX systems";
        const std::string command = "\"\"" + program + "\" " + quoted + " >\"" +
                                    dir.file("out.txt") + "\" 2>\"" + dir.file("err.txt") + "\"\"";
        r.status = std::system(command.c_str());
#else
        const std::string command = before + "'" + CLEATWORK_CLI + "' " + arguments + " >'" +
                                    dir.file("out.txt") + "' 2>'" + dir.file("err.txt") + "'";
        const int raw = std::system(command.c_str());
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
#endif
        r.out = slurp(dir.file("out.txt"));
        r.err = slurp(dir.file("err.txt"));
        std::remove(dir.file("out.txt").c_str());
        std::remove(dir.file("err.txt").c_str());
        return r;
    }

    std::string game(const std::vector<BootRecord> &records)
    {
        const std::string path = dir.file("unnamed_1831.bin");
        TestData::writeFile(path, TestData::wesys(TestData::bootsFile(records)));
        return path;
    }

    TempDir dir;
};
