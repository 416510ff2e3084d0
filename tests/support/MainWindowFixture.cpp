#include "MainWindowFixture.h"

#include "boots/Baza.h"
#include "container/PesZlib.h"
#include "editor/Translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <filesystem>

void MainWindowFixture::SetUp()
{
    std::filesystem::copy(CLEATWORK_LANGUAGE_DIR, programDir.file("Language"),
                          std::filesystem::copy_options::recursive);
}

void MainWindowFixture::TearDown()
{
    if (mWindow) {
        mWindow->document().undoStack()->setClean(); // no question on the way out
        mWindow->close();
        mWindow.reset();
    }
    EXPECT_EQ(answer.pending(), 0) << "a dialog the test expected never showed";
    Translation::apply(QString()); // the next test starts in English
}

frmMain &MainWindowFixture::window()
{
    if (!mWindow) {
        mWindow = std::make_unique<frmMain>(QString::fromStdString(programDir.path()));
        mWindow->show();
    }
    return *mWindow;
}

QString MainWindowFixture::writeGameBytes(const TestData::Bytes &bytes, const QString &name)
{
    const std::string path = gameDir.file(name.toStdString());
    TestData::writeFile(path, bytes);
    return QString::fromStdString(path);
}

QString MainWindowFixture::openGame()
{
    return QDir::toNativeSeparators(window().gamePath());
}

QString MainWindowFixture::writeGame(const std::vector<BootRecord> &records, const QString &name)
{
    return writeGameBytes(TestData::wesys(TestData::bootsFile(records)), name);
}

void MainWindowFixture::open(const QString &path)
{
    ASSERT_TRUE(window().openFile(path)) << answer.details.join(QLatin1Char('\n')).toStdString();
}

void MainWindowFixture::drop(const QStringList &paths)
{
    QMimeData mime;
    QList<QUrl> urls;
    for (const QString &p : paths)
        urls << QUrl::fromLocalFile(p);
    mime.setUrls(urls);
    // As a real drag does: the list takes the drag when it enters, then gets the drop.
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list()->viewport(), &enter);
    QDropEvent event(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(list()->viewport(), &event);
    // The window opens a dropped file once the drop has returned.
    QCoreApplication::processEvents();
}

void MainWindowFixture::select(int row)
{
    QListWidget *l = list();
    QListWidgetItem *item = l->item(row);
    ASSERT_NE(item, nullptr);
    l->setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
}

std::vector<BootRecord> MainWindowFixture::recordsOf(const QString &gamePath)
{
    PesZlib zlib("");
    TestData::Bytes plain;
    EXPECT_TRUE(zlib.unwrap(TestData::readFile(gamePath.toStdString()), plain));
    Baza db;
    EXPECT_TRUE(db.load(plain)) << db.errorString();
    return db.records();
}
