// Files read without trusting them: a FIFO, a folder or a device is refused at once without a read,
// a file over the bound is refused without holding it, a link to a regular file is read through.
#include "platform/common/BoundedFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane {
namespace {

using Status = BoundedFile::Status;

class BoundedFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;

    QString write(const QString& name, const QByteArray& bytes) {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    QString link(const QString& name, const QString& target) {
        const QString path = dir.filePath(name);
        EXPECT_EQ(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(path).constData()), 0);
        return path;
    }
};

TEST_F(BoundedFileTest, OnlyARegularFileWithinTheBoundIsRead) {
    const QString small = write("rc.xml", "<titleLayout>NLIMC</titleLayout>");
    BoundedFile read = readBoundedFile(small);
    EXPECT_EQ(read.status, Status::Read);
    EXPECT_EQ(read.bytes, "<titleLayout>NLIMC</titleLayout>");
    EXPECT_TRUE(read.problem.isEmpty());
    read = readBoundedFile(link("init", small));
    EXPECT_EQ(read.status, Status::Read) << "a dotfile kept as a link is read through it";
    EXPECT_EQ(read.bytes, "<titleLayout>NLIMC</titleLayout>");

    // Exactly at the bound is read, one byte over is not; over several reads of a chunk each.
    const QByteArray bound(200 * 1024, 'x');
    EXPECT_EQ(readBoundedFile(write("at", bound), bound.size()).bytes, bound);
    const BoundedFile over = readBoundedFile(write("over", bound + 'y'), bound.size());
    EXPECT_EQ(over.status, Status::TooLarge);
    EXPECT_TRUE(over.bytes.isEmpty());
    EXPECT_EQ(over.problem, "it is larger than 200 KiB");

    // A sparse file of 300 MB costs nothing to find too large.
    QFile sparse(dir.filePath("sparse"));
    ASSERT_TRUE(sparse.open(QIODevice::WriteOnly) && sparse.resize(300'000'000));
    EXPECT_EQ(readBoundedFile(sparse.fileName()).status, Status::TooLarge);
    EXPECT_EQ(readBoundedFile(dir.filePath("empty-and-named")).status, Status::Missing);
    EXPECT_EQ(readBoundedFile(write("empty", {})).status, Status::Read);
}

TEST_F(BoundedFileTest, WhatIsNotARegularFileIsRefusedWithoutWaitingOrReading) {
    // A FIFO without a writer would hold a plain open for ever; /dev/zero would fill the memory.
    const QString fifo = dir.filePath("fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const struct {
        QString path;
        QString problem;
    } cases[]{
        {fifo, "it is a FIFO, not a regular file"},
        {link("fifo-link", fifo), "it is a FIFO, not a regular file"},
        {dir.path(), "it is a folder, not a regular file"},
        {"/dev/zero", "it is a device, not a regular file"},
        {link("zero-link", "/dev/zero"), "it is a device, not a regular file"},
    };
    for (const auto& c : cases) {
        const BoundedFile read = readBoundedFile(c.path);
        EXPECT_EQ(read.status, Status::NotRegular) << c.path.toStdString();
        EXPECT_EQ(read.problem, c.problem) << c.path.toStdString();
        EXPECT_TRUE(read.bytes.isEmpty());
    }
    // Missing, also behind a file where a folder should be; a loop of links is a reason to say.
    EXPECT_EQ(readBoundedFile(write("file", "x") + "/init").status, Status::Missing);
    link("loop", dir.filePath("loop"));
    const BoundedFile loop = readBoundedFile(dir.filePath("loop/app.corvane.plist"));
    EXPECT_EQ(loop.status, Status::Unreadable);
    EXPECT_EQ(loop.problem, "Too many levels of symbolic links");
}

} // namespace
} // namespace corvane
