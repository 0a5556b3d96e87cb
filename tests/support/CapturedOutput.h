#pragma once

#include <unistd.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

// Sends standard output and standard error to files while in scope.
class CapturedOutput
{
public:
    CapturedOutput()
    {
        std::fflush(stdout);
        std::fflush(stderr);
        for (int fd : {STDOUT_FILENO, STDERR_FILENO}) {
            std::FILE* file = std::tmpfile();
            m_files.push_back(file);
            m_saved.push_back(::dup(fd));
            ::dup2(::fileno(file), fd);
        }
    }
    ~CapturedOutput() { restore(); }

    // Restores both streams and returns what was written to {stdout, stderr}.
    std::pair<std::string, std::string> finish()
    {
        restore();
        return {read(m_files[0]), read(m_files[1])};
    }

private:
    void restore()
    {
        if (m_restored)
            return;
        std::fflush(stdout);
        std::fflush(stderr);
        ::dup2(m_saved[0], STDOUT_FILENO);
        ::dup2(m_saved[1], STDERR_FILENO);
        for (int fd : m_saved)
            ::close(fd);
        m_restored = true;
    }

    static std::string read(std::FILE* file)
    {
        std::string text;
        std::rewind(file);
        char buffer[4096];
        while (std::size_t n = std::fread(buffer, 1, sizeof buffer, file))
            text.append(buffer, n);
        std::fclose(file);
        return text;
    }

    std::vector<std::FILE*> m_files;
    std::vector<int> m_saved;
    bool m_restored = false;
};
