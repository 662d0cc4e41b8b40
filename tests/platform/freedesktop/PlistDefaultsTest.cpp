// The settings files of the real program: values survive a restart with their types, writes are
// atomic, and a damaged file is moved aside with its bytes intact instead of being overwritten.
#include "platform/freedesktop/PlistDefaults.h"

#include "platform/freedesktop/PropertyListCodec.h"
#include "support/LogCapture.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <plist/plist.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvane {
namespace {

// Makes a folder refuse new names, renames and removals: immutable for root (which ignores
// permissions), read-only for anyone else.
class FolderLock {
public:
    explicit FolderLock(const QString& folder)
        : m_folder(QFile::encodeName(folder)) {
        m_isLocked = ::geteuid() == 0 ? setImmutable(true) : ::chmod(m_folder.constData(), 0555) == 0;
    }
    ~FolderLock() { unlock(); }
    bool isLocked() const { return m_isLocked; }
    void unlock() {
        if (!m_isLocked)
            return;
        m_isLocked = false;
        if (::geteuid() == 0)
            setImmutable(false);
        else
            ::chmod(m_folder.constData(), 0755);
    }

private:
    bool setImmutable(bool isImmutable) {
        const int fd = ::open(m_folder.constData(), O_RDONLY | O_DIRECTORY);
        if (fd < 0)
            return false;
        int flags = 0;
        bool isDone = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = isImmutable ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        isDone = isDone && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        ::close(fd);
        return isDone;
    }

    QByteArray m_folder;
    bool m_isLocked = false;
};

class PlistDefaultsTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath("corvane/app.corvane.plist");
    LogCapture log;
    QStringList& logged = LogCapture::lines(); // only warnings come from the store

    void writeFile(const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QStringList folderEntries() const { return QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files); }
};

TEST_F(PlistDefaultsTest, EveryTypeSurvivesARestart) {
    const QDateTime when(QDate(2026, 12, 6), QTime(13, 5, 1), QTimeZone::utc());
    const QVariantMap nested{{"1", "Split"},
                             {"deep", QVariantList{qint64(-7), 2.5, QByteArray("\x00\xff", 2)}}};
    {
        PlistDefaults d(path);
        d.setBool("flag", true);
        d.setObject("count", -42);
        d.setObject("big", std::numeric_limits<qint64>::max());
        d.setObject("ratio", 0.22);
        d.setString("name", QStringLiteral("Quadrant é"));
        d.setData("bytes", QByteArray("[{\"id\":1}]"));
        d.setObject("when", when);
        d.setObject("table", nested);
        d.setBool("gone", true);
        d.removeObject("gone");
    }
    PlistDefaults d(path);
    EXPECT_EQ(d.boolean("flag"), true);
    EXPECT_EQ(d.object("count"), QVariant(qint64(-42)));
    EXPECT_EQ(d.object("big"), QVariant(std::numeric_limits<qint64>::max()));
    EXPECT_EQ(d.object("ratio"), QVariant(0.22));
    EXPECT_EQ(d.string("name"), QStringLiteral("Quadrant é"));
    EXPECT_EQ(d.data("bytes"), QByteArray("[{\"id\":1}]"));
    EXPECT_EQ(d.object("when").toDateTime(), when);
    EXPECT_EQ(d.dictionary("table"), nested);
    EXPECT_FALSE(d.object("gone").isValid());
    EXPECT_FALSE(d.string("flag")) << "a value of another type reads as absent";
    EXPECT_FALSE(d.boolean("count"));
    EXPECT_EQ(folderEntries(), QStringList{"app.corvane.plist"}) << "no temporary files left behind";
    EXPECT_TRUE(logged.isEmpty());
}

TEST_F(PlistDefaultsTest, TheFileIsAPropertyListOtherToolsRead) {
    PlistDefaults(path).setBool("dragSnapEnabled", true);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray xml = f.readAll();
    EXPECT_TRUE(xml.startsWith("<?xml")) << xml.toStdString();
    plist_t root = nullptr;
    plist_from_xml(xml.constData(), uint32_t(xml.size()), &root);
    ASSERT_NE(root, nullptr);
    plist_t item = plist_dict_get_item(root, "dragSnapEnabled");
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(plist_get_node_type(item), PLIST_BOOLEAN);
    plist_free(root);
}

TEST_F(PlistDefaultsTest, ADamagedFileIsMovedAsideIntactAndTheStoreCarriesOn) {
    const QByteArray damages[] = {
        QByteArray("\x89PNG\r\n\x1a\n\x00\x00garbage", 18),
        "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>a</key><true/>",
        "<?xml version=\"1.0\"?><plist version=\"1.0\"><array><true/></array></plist>",
        "<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>\xff\xfe</key><string>\xc3(</string></dict>"
        "</plist><junk",
        "<plist><dict><key>x</key>" + QByteArray(100000 * 7, 'x').replace("xxxxxxx", "<array>") +
            "</dict></plist>",
    };
    for (const QByteArray& damage : damages) {
        QDir(QFileInfo(path).absolutePath()).removeRecursively();
        logged.clear();
        writeFile(damage);
        PlistDefaults d(path);
        const QStringList files = folderEntries();
        ASSERT_EQ(files.size(), 1) << files.join(",").toStdString();
        EXPECT_TRUE(files[0].startsWith("app.corvane.plist.corrupt-"));
        QFile aside(QFileInfo(path).absolutePath() + "/" + files[0]);
        ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
        EXPECT_EQ(aside.readAll(), damage) << "the bytes are kept as they were";
        EXPECT_EQ(logged.size(), 1);
        EXPECT_FALSE(d.object("a").isValid());
        d.setBool("fresh", true);
        EXPECT_EQ(PlistDefaults(path).boolean("fresh"), true);
    }
}

TEST_F(PlistDefaultsTest, AChangeReplacesTheFileWholeAndNeverWritesIntoIt) {
    PlistDefaults d(path);
    d.setString("name", QStringLiteral("Split"));
    QFile original(path);
    ASSERT_TRUE(original.open(QIODevice::ReadOnly));
    const QByteArray before = original.readAll();
    original.close();
    // A second name for the same file: an in-place write would show through it.
    const QString link = path + QStringLiteral(".link");
    ASSERT_EQ(::link(QFile::encodeName(path).constData(), QFile::encodeName(link).constData()), 0);

    d.setString("name", QStringLiteral("Quadrant"));
    QFile linked(link);
    ASSERT_TRUE(linked.open(QIODevice::ReadOnly));
    EXPECT_EQ(linked.readAll(), before);
    EXPECT_EQ(PlistDefaults(path).string("name"), QStringLiteral("Quadrant"));
}

TEST_F(PlistDefaultsTest, ADamagedFileThatCannotBeMovedAsideIsNeverWrittenOver) {
    const QByteArray damage("<plist><dict><key>hotkeyAssignments</key>");
    writeFile(damage);
    const QString folder = QFileInfo(path).absolutePath();
    {
        FolderLock lock(folder);
        ASSERT_TRUE(lock.isLocked()) << "cannot lock " << folder.toStdString();
        PlistDefaults d(path);
        lock.unlock(); // writable again: only the store's own caution keeps the file now
        d.setBool("dragSnapEnabled", true);
        EXPECT_FALSE(d.synchronize());
        EXPECT_EQ(d.boolean("dragSnapEnabled"), true) << "the change is kept in memory";
    }
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), damage);
    EXPECT_EQ(folderEntries(), QStringList{"app.corvane.plist"});
}

TEST_F(PlistDefaultsTest, AFailedWriteKeepsValuesAndWarnsOnceUntilItCanWriteAgain) {
    const QString blocked = dir.filePath("blocker/app.corvane.plist");
    QFile blocker(dir.filePath("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly)); // a file where the folder should be
    blocker.close();
    PlistDefaults d(blocked);
    d.setBool("a", true);
    d.setBool("b", false);
    EXPECT_EQ(d.boolean("a"), true);
    EXPECT_FALSE(d.synchronize());
    ASSERT_EQ(logged.size(), 1);
    EXPECT_TRUE(logged[0].contains("(a file stands where its folder should be)")) << logged[0].toStdString();

    ASSERT_TRUE(QFile::remove(dir.filePath("blocker")));
    EXPECT_TRUE(d.synchronize());
    PlistDefaults reread(blocked);
    EXPECT_EQ(reread.boolean("a"), true);
    EXPECT_EQ(reread.boolean("b"), false);
}

TEST_F(PlistDefaultsTest, ASettingsPathThatIsNoFileIsLeftAloneAndNothingIsSaved) {
    const QString folder = QFileInfo(path).absolutePath();
    for (const QString kind : {"FIFO", "folder"}) {
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        if (kind == "FIFO")
            ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        else
            ASSERT_TRUE(QDir().mkpath(path + "/inside"));
        logged.clear();
        PlistDefaults d(path);
        ASSERT_EQ(logged.size(), 1);
        EXPECT_TRUE(logged[0].contains(path + " cannot be used (it is a " + kind)) << logged[0].toStdString();
        d.setBool("dragSnapEnabled", true);
        EXPECT_EQ(d.boolean("dragSnapEnabled"), true) << "the change is kept for this run";
        EXPECT_FALSE(d.synchronize()) << "nothing was saved, even with nothing to save";
        EXPECT_TRUE(logged.last().startsWith("app.corvane.general: Nothing was saved: " + path));
        d.removeObject("dragSnapEnabled");
        EXPECT_FALSE(d.synchronize());
        struct stat info {};
        ASSERT_EQ(::lstat(QFile::encodeName(path).constData(), &info), 0);
        EXPECT_TRUE(kind == "FIFO" ? S_ISFIFO(info.st_mode) : S_ISDIR(info.st_mode)) << "left where it was";
        EXPECT_EQ(QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
                  QStringList{"app.corvane.plist"})
            << "nothing moved aside, no temporary file";
    }
}

TEST_F(PlistDefaultsTest, ALinkedSettingsFileStaysALinkAndItsTargetIsUpdated) {
    const QString target = dir.filePath("dotfiles/corvane.plist");
    QDir().mkpath(QFileInfo(target).absolutePath());
    PlistDefaults(target).setString("name", QStringLiteral("Split"));
    QDir().mkpath(QFileInfo(path).absolutePath());
    ASSERT_EQ(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(path).constData()), 0);
    {
        PlistDefaults d(path);
        EXPECT_EQ(d.string("name"), QStringLiteral("Split"));
        d.setString("name", QStringLiteral("Quadrant"));
        EXPECT_TRUE(d.synchronize());
    }
    EXPECT_EQ(QFileInfo(path).symLinkTarget(), target);
    EXPECT_EQ(PlistDefaults(target).string("name"), QStringLiteral("Quadrant"));
    EXPECT_TRUE(logged.isEmpty()) << logged.join('\n').toStdString();
}

TEST_F(PlistDefaultsTest, AFolderThatIsALoopOfLinksIsNamedAsSuch) {
    const QString folder = QFileInfo(path).absolutePath();
    ASSERT_EQ(::symlink(QFile::encodeName(folder).constData(), QFile::encodeName(folder).constData()), 0);
    PlistDefaults d(path);
    d.setBool("a", true);
    EXPECT_FALSE(d.synchronize());
    ASSERT_EQ(logged.size(), 1);
    EXPECT_TRUE(logged[0].contains("(Too many levels of symbolic links)")) << logged[0].toStdString();
}

TEST(PropertyListCodecTest, OnlyADecimalBeyondSixtyFourBitsBecomesAReal) {
    const auto read = [](const char* integer) {
        const QByteArray xml =
            QByteArray("<?xml version=\"1.0\"?><plist version=\"1.0\"><dict><key>n</key><integer>") +
            integer + "</integer></dict></plist>";
        return parsePropertyList(xml).value_or(QVariantMap()).value("n");
    };
    EXPECT_EQ(read("-9223372036854775808"), QVariant(std::numeric_limits<qint64>::min()));
    EXPECT_EQ(read("9223372036854775808").typeId(), QMetaType::Double);
    EXPECT_EQ(read("-9223372036854775809").typeId(), QMetaType::Double);
    // A malformed number is not a large one: it must not turn into a real.
    EXPECT_NE(read("+-42").typeId(), QMetaType::Double);
    EXPECT_NE(read("-x").typeId(), QMetaType::Double);
}

} // namespace
} // namespace corvane
