#include "service/VoiceFileList.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

using namespace Qt::Literals::StringLiterals;

class VoiceFileListTest : public testing::Test {
protected:
    QString Folder(const QString& name) {
        QDir(dir.path()).mkpath(name);
        return dir.filePath(name);
    }
    static void Put(const QString& folder, const QString& name, int size) {
        QFile file(folder + u'/' + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(size, 'a'));
    }
    static QString Native(const QString& folder, const QString& name) {
        return QDir::toNativeSeparators(folder + u'/' + name);
    }

    QTemporaryDir dir;
};

TEST_F(VoiceFileListTest, AnotherFolderGivesAFreshListAndTotal) {
    const QString first = Folder(u"first"_s);
    for (const QString& name : {u"1.AMR"_s, u"2.AMR"_s, u"3.AMR"_s})
        Put(first, name, 1000);
    const VoiceFileList three = ListVoiceFiles(first);
    EXPECT_EQ(three.files.size(), 3);
    EXPECT_EQ(three.totalSize, 3000);

    const QString second = Folder(u"second"_s);
    Put(second, u"only.AMR"_s, 500);
    const VoiceFileList one = ListVoiceFiles(second);
    EXPECT_EQ(one.files, QStringList({Native(second, u"only.AMR"_s)}));
    EXPECT_EQ(one.totalSize, 500);
}

TEST_F(VoiceFileListTest, TakesTheExtensionInAnyCaseAndOnlyRegularFiles) {
    const QString folder = Folder(u"voice"_s);
    Put(folder, u"upper.AMR"_s, 10);
    Put(folder, u"lower.amr"_s, 20);
    Put(folder, u".hidden.Amr"_s, 30);
    Put(folder, u"readonly.AMR"_s, 40);
    QFile::setPermissions(folder + u"/readonly.AMR"_s, QFile::ReadOwner);
    for (const QString& name : {u"a.AMR.bak"_s, u"b.amr2"_s, u"c.wav"_s, u"AMR"_s})
        Put(folder, name, 1000);
    QDir(folder).mkdir(u"x.AMR"_s);
    ASSERT_EQ(mkfifo(QFile::encodeName(folder + u"/pipe.AMR"_s).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(folder + u"/gone"_s, folder + u"/dangling.AMR"_s));
    ASSERT_TRUE(QFile::link(folder + u"/upper.AMR"_s, folder + u"/linked.AMR"_s));

    const VoiceFileList list = ListVoiceFiles(folder);
    QStringList sorted = list.files;
    sorted.sort();
    EXPECT_EQ(sorted, QStringList({Native(folder, u".hidden.Amr"_s), Native(folder, u"linked.AMR"_s),
                                   Native(folder, u"lower.amr"_s), Native(folder, u"readonly.AMR"_s),
                                   Native(folder, u"upper.AMR"_s)}));
    EXPECT_EQ(list.totalSize, 10 + 20 + 30 + 40 + 10);
}

TEST_F(VoiceFileListTest, PathsHaveOneSeparatorAfterTheFolder) {
    const QString folder = Folder(u"v"_s);
    Put(folder, u"a.AMR"_s, 1);
    EXPECT_EQ(ListVoiceFiles(folder + u'/').files, QStringList({Native(folder, u"a.AMR"_s)}));
}

TEST_F(VoiceFileListTest, NoFolderGivesNothing) {
    Put(QDir::currentPath(), u"in-working-dir-test.AMR"_s, 5);  // an empty name must not mean "here"
    const VoiceFileList none = ListVoiceFiles(QString());
    QFile::remove(QDir::currentPath() + u"/in-working-dir-test.AMR"_s);
    EXPECT_TRUE(none.files.isEmpty());
    EXPECT_EQ(none.totalSize, 0);

    const VoiceFileList missing = ListVoiceFiles(dir.filePath(u"does-not-exist"_s));
    EXPECT_TRUE(missing.files.isEmpty());
    EXPECT_EQ(missing.totalSize, 0);
    EXPECT_TRUE(ListVoiceFiles(Folder(u"empty"_s)).files.isEmpty());
}

}  // namespace
