#pragma once
// Runs code that writes to an output and an error stream, on temporary files, and gives back what
// each stream got along with the code's exit status.

#include <QByteArray>
#include <QString>
#include <cstdio>
#include <functional>

namespace corvane {

struct Written {
    int status = 0;
    QString out;
    QString err;
};

inline Written writtenBy(const std::function<int(std::FILE* out, std::FILE* err)>& code) {
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    const int status = code(out, err);
    const auto read = [](std::FILE* file) {
        std::rewind(file);
        QByteArray bytes;
        char buffer[4096];
        while (const size_t n = std::fread(buffer, 1, sizeof buffer, file))
            bytes.append(buffer, qsizetype(n));
        std::fclose(file);
        return QString::fromLocal8Bit(bytes);
    };
    return {status, read(out), read(err)};
}

} // namespace corvane
