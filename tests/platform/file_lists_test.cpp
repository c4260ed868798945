#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include "common/test_support.h"
#include "platform/base/vb_error.h"
#include "platform/file_lists.h"
#include "platform/text_box.h"
#include "vb_error_of.h"

namespace vesdra {
namespace {

using test::ErrorOf;

TEST(FileLists, PatternsMatchWithoutRegardToCase)
{
    const struct {
        const char* name;
        const char* patterns;
        bool match;
    } cases[] = {
        {"x.cnf", "*.CNF", true},
        {"X.CNF", "*.cnf", true},
        {"x.cnfx", "*.cnf", false},
        {"relay.dat", "*.dat;*.cfg", true},
        {"relay.cfg", "*.dat; *.cfg", true},
        {"relay.hdr", "*.dat;*.cfg", false},
        {"README", "*.*", true},
        {"a.b", "*.*", true},
        {"anything", "", true},
        {"anything", "*", true},
        {"rec1.dat", "rec?.DAT", true},
        {"rec12.dat", "rec?.dat", false},
        {"[a].cnf", "[a].cnf", true},
        {"#1.cnf", "#*.cnf", true},
        {"Ñandú.cnf", "ñANDÚ.CNF", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchesFilePattern(QString::fromUtf8(c.name), QString::fromUtf8(c.patterns)), c.match)
            << c.name << " / " << c.patterns;
}

class FileListsOnDisk : public ::testing::Test
{
protected:
    void SetUp() override
    {
        root_ = CleanFolder(dir_.path());
        for (const char* f : {"plantillas/b.CNF", "plantillas/a.cnf", "plantillas/c.txt",
                              "plantillas/Sub/x.cnf", "plantillas/otra/y.cnf", "plantillas/.oculto.cnf"})
            ASSERT_TRUE(test::WriteBytes(root_ + "/" + f, "ver 1.1\r\n"));
        // Two volumes: the temporary folder, and a drive with no medium in it.
        SetVolumeSourceForTests([this] {
            return std::vector<Volume>{{QStringLiteral("/"), {}, true},
                                       {root_, QStringLiteral("DATOS"), true},
                                       {root_ + "/plantillas/otra", {}, false}};
        });
    }
    void TearDown() override { SetVolumeSourceForTests({}); }

    QTemporaryDir dir_;
    QString root_;
};

TEST_F(FileListsOnDisk, LongFileAndFolderNamesAreCutInTheMiddleApart)
{
    const QString folder = root_ + "/plantillas/largos";
    const QString comun = QStringLiteral("SUBESTACION_MONTANA_ALTA_POSICION_220kV_");
    for (const char* fin : {"LINEA_1", "LINEA_2"}) {
        ASSERT_TRUE(test::WriteBytes(folder + "/" + comun + fin + ".cnf", "ver 1.1\r\n"));
        ASSERT_TRUE(QDir().mkpath(folder + "/" + comun + fin));
    }
    FileListBox files;
    DirListBox folders;
    files.resize(150, 120);
    folders.resize(150, 120);
    files.SetPath(folder);
    files.SetPattern(QStringLiteral("*.cnf"));
    folders.SetPath(folder);
    files.show();
    folders.show();
    ASSERT_EQ(files.count(), 2);
    EXPECT_TRUE(test::TodosDistintos({TextoVisibleEnLista(files, 0), TextoVisibleEnLista(files, 1)}));
    EXPECT_TRUE(TextoVisibleEnLista(files, 1).endsWith(QStringLiteral("2.cnf")));
    // Row 0 of the folder list is "..".
    ASSERT_EQ(folders.count(), 3);
    EXPECT_TRUE(TextoVisibleEnLista(folders, 2).endsWith(QStringLiteral("_2")));
    EXPECT_NE(TextoVisibleEnLista(folders, 1), TextoVisibleEnLista(folders, 2));
}

TEST_F(FileListsOnDisk, ListingsAreSortedAndFiltered)
{
    const QString folder = root_ + "/plantillas";
    EXPECT_EQ(ListFiles(folder, u"*.CNF"), (QStringList{"a.cnf", "b.CNF"}));
    EXPECT_EQ(ListFiles(folder, u"*.*"), (QStringList{"a.cnf", "b.CNF", "c.txt"}));
    EXPECT_EQ(ListFolders(folder), (QStringList{"otra", "Sub"}));
    EXPECT_EQ(DriveOfPath(folder + "/Sub"), root_);
    EXPECT_EQ(DriveOfPath(QStringLiteral("/usr")), QStringLiteral("/"));
    EXPECT_EQ(DriveEntryText({root_, QStringLiteral("DATOS"), true}), root_ + " [DATOS]");
}

TEST_F(FileListsOnDisk, DriveThenFolderThenFileChangesRunInOrder)
{
    DriveListBox drive;
    DirListBox folders;
    FileListBox files;
    QStringList order;
    // The forms' wiring: a drive change moves the folder list, whose change
    // moves the file list.
    QObject::connect(&drive, &DriveListBox::Change, [&] {
        order << "drive";
        folders.SetPath(drive.Drive());
    });
    QObject::connect(&folders, &DirListBox::Change, [&] {
        order << "folder";
        files.SetPath(folders.Path());
    });
    QObject::connect(&files, &FileListBox::PathChange, [&] { order << "file"; });
    files.SetPattern(QStringLiteral("*.CNF"));

    drive.SetDrive(root_ + "/plantillas");
    EXPECT_EQ(drive.Drive(), root_);
    EXPECT_EQ(drive.ListCount(), 3);
    EXPECT_EQ(drive.List(drive.ListIndex()), root_ + " [DATOS]");
    EXPECT_EQ(order, (QStringList{"drive", "folder", "file"}));
    EXPECT_EQ(files.Path(), root_);
    EXPECT_EQ(files.ListCount(), 0);

    order.clear();
    folders.SetPath(root_ + "/plantillas");
    EXPECT_EQ(order, (QStringList{"folder", "file"}));
    EXPECT_EQ(folders.ListCount(), 2);
    EXPECT_EQ(folders.List(1), root_ + "/plantillas/Sub");
    EXPECT_EQ(folders.List(-1), root_ + "/plantillas");
    EXPECT_EQ(folders.List(-2), root_);
    EXPECT_EQ(folders.ListIndex(), -1);
    EXPECT_EQ(files.ListCount(), 2);
    EXPECT_EQ(files.List(0), QStringLiteral("a.cnf"));
    EXPECT_EQ(files.FileName(), QString());

    // Setting a value it already has notifies nobody.
    order.clear();
    folders.SetPath(root_ + "/plantillas/");
    drive.SetDrive(root_);
    EXPECT_TRUE(order.isEmpty());
}

TEST_F(FileListsOnDisk, NotReadyDriveIsError68AndMissingFolderError76)
{
    DriveListBox drive;
    DirListBox folders;
    drive.SetDrive(root_);
    int changes = 0;
    QObject::connect(&drive, &DriveListBox::Change, [&] { ++changes; });
    EXPECT_EQ(ErrorOf([&] { drive.SetDrive(root_ + "/plantillas/otra"); }), vberr::DeviceUnavailable);
    EXPECT_EQ(drive.Drive(), root_);
    EXPECT_EQ(changes, 0);

    folders.SetPath(root_);
    EXPECT_EQ(ErrorOf([&] { folders.SetPath(root_ + "/plantillas/otra"); }), vberr::DeviceUnavailable);
    EXPECT_EQ(ErrorOf([&] { folders.SetPath(root_ + "/none"); }), vberr::PathNotFound);
    EXPECT_EQ(folders.Path(), root_);
}

TEST_F(FileListsOnDisk, FileNameSetToTheFolderReReadsIt)
{
    FileListBox files;
    files.SetPath(root_ + "/plantillas");
    files.SetPattern(QStringLiteral("*.cnf"));
    int clicks = 0;
    QObject::connect(&files, &FileListBox::Click, [&] { ++clicks; });
    files.SetFileName(QStringLiteral("B.cnf"));
    EXPECT_EQ(files.FileName(), QStringLiteral("b.CNF"));
    EXPECT_EQ(files.ListIndex(), 1);
    EXPECT_EQ(clicks, 0); // a click is the user's

    ASSERT_TRUE(test::WriteBytes(root_ + "/plantillas/new.cnf", "x"));
    files.SetFileName(root_ + "/plantillas");
    EXPECT_EQ(files.ListCount(), 3);
    EXPECT_EQ(files.FileName(), QString());

    files.SetFileName(root_ + "/plantillas/Sub/*.CNF");
    EXPECT_EQ(files.Path(), root_ + "/plantillas/Sub");
    EXPECT_EQ(files.Pattern(), QStringLiteral("*.CNF"));
    EXPECT_EQ(files.List(0), QStringLiteral("x.cnf"));
}

// The entry the keys highlight is the one chosen, each move a Click, as a
// click is: arrows, Home, End and a typed name. The first arrow in a list
// just given the keyboard chooses the entry it stands on (in a folder of
// one template, the only way to choose it by the arrows), and a folder read
// again keeps the entry chosen.
TEST_F(FileListsOnDisk, TheEntryTheKeysHighlightIsChosenWithAClick)
{
    for (const char* f : {"plantillas/d.cnf", "uno/solo.cnf"})
        ASSERT_TRUE(test::WriteBytes(root_ + "/" + f, "ver 1.1\r\n"));
    FileListBox files;
    files.SetPath(root_ + "/plantillas");
    files.SetPattern(QStringLiteral("*.cnf"));
    QStringList clicks;
    QObject::connect(&files, &FileListBox::Click, [&] { clicks << files.FileName(); });
    files.show();
    files.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&files));
    files.setFocus();
    ASSERT_EQ(files.currentRow(), 0);
    ASSERT_EQ(files.FileName(), QString()); // standing on it, not chosen

    const struct {
        Qt::Key key;
        const char* chosen;
    } steps[] = {{Qt::Key_Down, "a.cnf"}, {Qt::Key_Down, "b.CNF"}, {Qt::Key_End, "d.cnf"},
                 {Qt::Key_Up, "b.CNF"},   {Qt::Key_Home, "a.cnf"}, {Qt::Key_D, "d.cnf"}};
    QStringList expected;
    for (const auto& step : steps) {
        QTest::keyClick(&files, step.key);
        EXPECT_EQ(files.FileName(), QString::fromLatin1(step.chosen)) << step.chosen;
        EXPECT_EQ(files.currentItem()->text(), files.FileName());
        expected << QString::fromLatin1(step.chosen);
    }
    EXPECT_EQ(clicks, expected);

    // A new file before the one chosen: read again, the choice stays.
    ASSERT_TRUE(test::WriteBytes(root_ + "/plantillas/c.cnf", "ver 1.1\r\n"));
    files.Refresh();
    EXPECT_EQ(files.FileName(), QStringLiteral("d.cnf"));
    EXPECT_EQ(files.currentItem()->text(), QStringLiteral("d.cnf"));
    EXPECT_EQ(clicks, expected);

    files.SetPath(root_ + "/uno");
    clicks.clear();
    files.clearFocus();
    files.setFocus();
    QTest::keyClick(&files, Qt::Key_Down);
    EXPECT_EQ(files.FileName(), QStringLiteral("solo.cnf"));
    EXPECT_EQ(clicks, QStringList{"solo.cnf"});
}

// In a folder list the first arrow chooses the folder it stands on too, so
// that Enter then opens it.
TEST_F(FileListsOnDisk, TheFirstArrowInAFolderListChoosesTheFolderItStandsOn)
{
    ASSERT_TRUE(QDir().mkpath(root_ + "/uno/solo"));
    DirListBox folders;
    folders.SetPath(root_);
    folders.SetPath(root_ + "/uno");
    folders.show();
    folders.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&folders));
    folders.setFocus();
    QTest::keyClick(&folders, Qt::Key_Down); // ".." chosen
    QTest::keyClick(&folders, Qt::Key_Down);
    EXPECT_EQ(folders.ListIndex(), 0);
    QTest::keyClick(&folders, Qt::Key_Return);
    EXPECT_EQ(folders.Path(), root_ + "/uno/solo");
}

// Changing drive is a deliberate choice: the keys that would step to the
// next drive open the list instead, and the wheel changes nothing.
TEST_F(FileListsOnDisk, KeysAndWheelOnAClosedDriveListChangeNoDrive)
{
    DriveListBox drive;
    drive.SetDrive(root_);
    int changes = 0;
    QObject::connect(&drive, &DriveListBox::Change, [&] { ++changes; });
    drive.show();
    drive.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&drive));
    for (const Qt::Key key :
         {Qt::Key_Down, Qt::Key_Up, Qt::Key_End, Qt::Key_Home, Qt::Key_PageDown, Qt::Key_Slash}) {
        drive.setFocus();
        QTest::keyClick(&drive, key);
        EXPECT_EQ(drive.Drive(), root_) << key;
        EXPECT_TRUE(drive.view()->isVisible()) << key << ": the list opens";
        drive.hidePopup();
    }
    QWheelEvent wheel(QPointF(5, 5), drive.mapToGlobal(QPointF(5, 5)), {}, QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&drive, &wheel);
    EXPECT_EQ(drive.Drive(), root_);
    EXPECT_EQ(changes, 0);

    // Chosen in the open list, the drive changes.
    drive.setFocus();
    QTest::keyClick(&drive, Qt::Key_Down);
    ASSERT_TRUE(drive.view()->isVisible());
    QTest::keyClick(drive.view(), Qt::Key_Up);
    QTest::keyClick(drive.view(), Qt::Key_Return);
    EXPECT_EQ(drive.Drive(), QStringLiteral("/"));
    EXPECT_EQ(changes, 1);
}

} // namespace
} // namespace vesdra
