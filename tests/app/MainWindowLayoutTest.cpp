#include "CaseName.h"
#include "MainWindowFixture.h"

#include "app/ui/FirstWindowSize.h"
#include "app/ui/WrapGrid.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QHeaderView>
#include <QImage>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

namespace {

/// Every control the user works with in the main window.
const char *const kControls[] = {
    "List1",  "txtFind", "txt(0)",    "txt(1)",   "txt(2)",    "txt(3)",   "txt(4)",
    "txt(5)", "txt(6)",  "txt(7)",    "txt(8)",   "Combo",     "R1",       "R2",
    "R3",     "Ch1",     "Ch2",       "Ch3",      "Ch4",       "Ch5",      "Over",
    "cmdChange", "Img",  "cmdOpenT",  "cmdOpent2", "ComboBox", "cmdCreate", "tblBoots"};

const char *const kLanguages[] = {"English", "Polski",   "Deutsch",  "Español",
                                  "Français", "Italiano", "Português"};

class MainWindowLayout : public MainWindowFixture
{
protected:
    void pick(const QString &language)
    {
        QComboBox *box = find<QComboBox>("ComboBox");
        const int i = box->findText(language);
        ASSERT_GE(i, 0) << language.toStdString();
        box->setCurrentIndex(i);
        emit box->activated(i);
        QApplication::processEvents();
    }

    /// Opens twenty boots, selects one and shows the boots table docked below the panels.
    void openWithTable(const QSize &size)
    {
        open(writeGame(TestData::boots(20)));
        select(0);
        window().resize(size);
        find<QAction>("mnuTable")->trigger();
        settle();
    }

    void settle()
    {
        for (int i = 0; i < 3; ++i)
            QApplication::processEvents();
    }

    /// Boots whose rows the table shows whole.
    int rowsShown()
    {
        auto *table = find<QTableView>("tblBoots");
        const int rowHeight = table->verticalHeader()->defaultSectionSize();
        return table->viewport()->height() / rowHeight;
    }
};

class WindowInLanguage : public MainWindowLayout, public testing::WithParamInterface<const char *>
{
};

TEST_P(WindowInLanguage, TableDockedAt1000x700LeavesEveryControlWholeAndShowsEightRows)
{
    window();
    pick(QString::fromUtf8(GetParam()));
    openWithTable(QSize(1000, 700));
    ASSERT_EQ(window().size(), QSize(1000, 700));
    for (const char *name : kControls) {
        auto *control = find<QWidget>(QString::fromLatin1(name));
        ASSERT_NE(control, nullptr);
        EXPECT_TRUE(control->isVisible()) << name;
        const QSize least = control->minimumSizeHint().expandedTo(control->minimumSize());
        EXPECT_GE(control->width(), least.width()) << name;
        EXPECT_GE(control->height(), least.height()) << name;
        // A button is crushed as soon as its caption no longer fits its height.
        if (qobject_cast<QAbstractButton *>(control)) {
            EXPECT_GE(control->height(), control->sizeHint().height()) << name;
        }
    }
    EXPECT_GE(rowsShown(), 8);
}

INSTANTIATE_TEST_SUITE_P(Languages, WindowInLanguage,
                         testing::Values("English", "Polski", "Deutsch"),
                         CaseName::by([](const char *language) {
                             return std::string(language);
                         }));

// The commonest laptop screen (a maximised window, 1366 × 720 inside its frame) and a small
// window, with the boots table docked below the panels: the panels never scroll sideways (which
// cuts the preview's buttons at the window's edge), and on the laptop the Change Stats box
// shows without scrolling.
struct DockedTable
{
    const char *language;
    QSize size;
    bool changeStatsInSight;
};

class TableDocked : public MainWindowLayout, public testing::WithParamInterface<DockedTable>
{
protected:
    /// Where `control` lies in the panels' visible part.
    QRect inPanels(const QWidget *control)
    {
        return {control->mapTo(find<QScrollArea>("scrollPanels")->viewport(), QPoint()),
                control->size()};
    }
};

TEST_P(TableDocked, PanelsFitTheWidthAndShowChangeStats)
{
    window();
    pick(QString::fromUtf8(GetParam().language));
    openWithTable(GetParam().size);
    auto *panels = find<QScrollArea>("scrollPanels");
    const QRect visible = panels->viewport()->rect();
    EXPECT_FALSE(panels->horizontalScrollBar()->isVisible());
    for (QPushButton *button : find<QWidget>("GroupBox15")->findChildren<QPushButton *>()) {
        const std::string name = button->objectName().toStdString();
        EXPECT_GE(button->width(), button->sizeHint().width()) << name;
        EXPECT_LE(inPanels(button).right(), visible.right()) << name;
    }
    if (GetParam().changeStatsInSight) {
        EXPECT_TRUE(inPanels(find<QWidget>("GroupBox13")).intersects(visible));
    }
}

std::vector<DockedTable> dockedTables()
{
    std::vector<DockedTable> cases;
    for (const char *language : kLanguages) {
        cases.push_back({language, {1366, 720}, true});
        cases.push_back({language, {1000, 700}, false});
    }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(LanguagesAndScreens, TableDocked, testing::ValuesIn(dockedTables()),
                         CaseName::by([](const DockedTable &c) {
                             return std::string(c.language) + ' ' + std::to_string(c.size.width()) +
                                    'x' + std::to_string(c.size.height());
                         }));

// Four boxes, each 20 high, 60 wide at least and 100 by preference, 10 apart: two a row as
// preferred, four only where each gets its preferred width, one where two do not fit.
struct Wrapping
{
    const char *name;
    int width;
    int perRow;
    int height;
};

class BoxesWrap : public testing::TestWithParam<Wrapping>
{
};

TEST_P(BoxesWrap, IntoAsManyRowsAsTheWidthNeeds)
{
    class Box : public QWidget
    {
    public:
        QSize sizeHint() const override { return {100, 20}; }
    };
    QWidget panel;
    auto *grid = new WrapGrid({4, 2, 1}, 2, &panel);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(10);
    for (int i = 0; i < 4; ++i) {
        auto *box = new Box;
        box->setMinimumSize(60, 20);
        grid->addWidget(box);
    }
    EXPECT_EQ(grid->perRowAt(GetParam().width), GetParam().perRow);
    EXPECT_EQ(grid->heightForWidth(GetParam().width), GetParam().height);
}

INSTANTIATE_TEST_SUITE_P(WrapGrid, BoxesWrap,
                         testing::Values(Wrapping{"four at their preferred width", 430, 4, 20},
                                         Wrapping{"two short of that", 429, 2, 50},
                                         Wrapping{"two at their least width", 130, 2, 50},
                                         Wrapping{"one below that", 129, 1, 110}),
                         CaseName::by([](const Wrapping &c) { return c.name; }));

// Accents above capitals reach above the font's ascent in common fonts: a row of the font's
// height cuts off the dots of "Ü". Whole, they are ink above the top of "U", and below the
// row's edge.
TEST_F(MainWindowLayout, ListRowsShowTheAccentsAboveCapitals)
{
    std::vector<BootRecord> boots = TestData::boots(2);
    boots[0].Nazwa = "\xDC\xDC\xDC"; // Windows-1252
    boots[1].Nazwa = "UUU";
    open(writeGame(boots));
    settle();
    const QImage shot = list()->viewport()->grab().toImage();
    // The first line of the row, from its top, that holds dark ink.
    const auto inkTop = [&shot](const QRect &row) {
        for (int y = 0; y < row.height(); ++y) {
            for (int x = 0; x < row.width(); ++x) {
                if (qGray(shot.pixel(row.topLeft() + QPoint(x, y))) < 128)
                    return y;
            }
        }
        return -1;
    };
    const int accented = inkTop(list()->visualItemRect(list()->item(0)));
    const int plain = inkTop(list()->visualItemRect(list()->item(1)));
    EXPECT_GT(accented, 0) << "the dots touch the row's top edge";
    EXPECT_LT(accented, plain) << "no dots above the capitals";
}

TEST_F(MainWindowLayout, UserCanMakeTheTableTallerThanThePanelsWouldHold)
{
    openWithTable(QSize(1280, 900));
    auto *dock = find<QDockWidget>("dockTable");
    const int before = rowsShown();
    window().resizeDocks({dock}, {700}, Qt::Vertical);
    settle();
    EXPECT_GE(dock->height(), 650);
    EXPECT_GT(rowsShown(), before + 10);
}

TEST_F(MainWindowLayout, EveryColumnIsAsWideAsItsHeaderInEveryLanguage)
{
    openWithTable(QSize(1280, 900));
    QHeaderView *header = find<QTableView>("tblBoots")->horizontalHeader();
    for (const char *language : kLanguages) {
        pick(QString::fromUtf8(language));
        settle();
        for (int c = 0; c < header->count(); ++c) {
            const QString text = header->model()->headerData(c, Qt::Horizontal).toString();
            EXPECT_GE(header->sectionSize(c), header->fontMetrics().horizontalAdvance(text) + 8)
                << language << ": " << text.toStdString();
        }
    }
}

// ---------------------------------------------------------------------------------------
// Mnemonics

class MnemonicsWhileWorking : public MainWindowLayout
{
protected:
    /// Every caption of the window with its mnemonic: the bar, each menu's items (as they
    /// show when it opens), the buttons and the group boxes.
    QStringList captions()
    {
        QStringList out;
        for (QAction *a : window().menuBar()->actions())
            out << a->objectName() + '=' + a->text();
        for (QMenu *menu : window().findChildren<QMenu *>()) {
            emit menu->aboutToShow();
            for (QAction *a : menu->actions()) {
                if (!a->isSeparator())
                    out << menu->objectName() + '/' + a->objectName() + '=' + a->text();
            }
        }
        for (QAbstractButton *b : window().findChildren<QAbstractButton *>())
            out << b->objectName() + '=' + b->text();
        for (QGroupBox *g : window().findChildren<QGroupBox *>())
            out << g->objectName() + '=' + g->title();
        return out;
    }

    QChar letterOf(const char *name)
    {
        if (auto *b = mWindow->findChild<QAbstractButton *>(name))
            return Mnemonics::letter(b->text());
        return QChar();
    }
};

TEST_F(MnemonicsWhileWorking, EveryChoiceOfChangeStatsHasItsOwnLetter)
{
    open(writeGame(TestData::boots(3)));
    select(0);
    for (const char *language : {"English", "Polski", "Deutsch"}) {
        pick(QString::fromUtf8(language));
        QString letters;
        for (const char *name : {"R1", "R2", "R3", "Ch1", "Ch2", "Ch3", "Ch4", "Ch5",
                                 "cmdChange"}) {
            const QChar letter = letterOf(name);
            EXPECT_FALSE(letter.isNull()) << language << ": " << name;
            EXPECT_FALSE(letters.contains(letter)) << language << ": " << name;
            letters += letter;
        }
        // The value field is reached through its group's caption.
        const QChar value = Mnemonics::letter(find<QGroupBox>("GroupBox14")->title());
        EXPECT_FALSE(value.isNull()) << language;
        EXPECT_FALSE(letters.contains(value)) << language;
    }
    pick("English");
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    find<QWidget>("txt(0)")->setFocus();
    const QChar value = Mnemonics::letter(find<QGroupBox>("GroupBox14")->title());
    QTest::keyClick(&window(), value.toLatin1(), Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), find<QWidget>("Over"));
}

TEST_F(MnemonicsWhileWorking, LettersStayThroughTabMenusAndALanguageThereAndBack)
{
    open(writeGame(TestData::boots(3)));
    select(0);
    window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window()));
    settle();
    const QStringList first = captions();

    find<QWidget>("ComboBox")->setFocus();
    for (int i = 0; i < 6; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        settle();
    }
    EXPECT_EQ(captions(), first) << "after Tab past the language box";

    for (QMenu *menu : {window().fileMenu(), window().editMenu(), window().helpMenu()}) {
        menu->popup(QPoint(10, 10));
        settle();
        menu->hide();
    }
    settle();
    EXPECT_EQ(captions(), first) << "after opening the menus";

    find<QAction>("mnuTable")->trigger();
    settle();
    EXPECT_EQ(captions(), first) << "after showing the boots table";

    pick("Polski");
    pick("English");
    settle();
    EXPECT_EQ(captions(), first) << "after Polski and back";
}

} // namespace

namespace {

// The first start's size, before the window remembers one (a 40-pixel taskbar under a laptop's
// 1366 × 768 screen leaves 1366 × 728).
struct FirstStart
{
    const char *name;
    QSize wanted;
    QRect available;
    FirstWindowSize::Placement placement;
};

class FirstWindow : public testing::TestWithParam<FirstStart>
{
};

TEST_P(FirstWindow, ShowsEveryControlOrOpensMaximised)
{
    EXPECT_EQ(FirstWindowSize::choose(GetParam().wanted, GetParam().available),
              GetParam().placement);
}

INSTANTIATE_TEST_SUITE_P(
    FirstWindowSize, FirstWindow,
    testing::Values(
        FirstStart{"contents that fit a laptop screen", {1250, 680}, {0, 0, 1366, 728},
                   {{1250, 680}, false}},
        FirstStart{"small contents get a comfortable size", {900, 500}, {0, 0, 1920, 1040},
                   {{1100, 640}, false}},
        FirstStart{"a smaller screen maximises", {1250, 680}, {0, 0, 1024, 728},
                   {{1008, 680}, true}},
        FirstStart{"no screen known", {900, 700}, {}, {{1100, 700}, false}}),
    CaseName::by([](const FirstStart &c) { return c.name; }));

using FirstWindowInLanguage = WindowInLanguage;

TEST_P(FirstWindowInLanguage, FitsALaptopScreenWithEveryControlShown)
{
    window();
    pick(QString::fromUtf8(GetParam()));
    settle();
    const QSize wanted = FirstWindowSize::wanted(window(), *find<QWidget>("centralWidget"));
    EXPECT_FALSE(FirstWindowSize::choose(wanted, QRect(0, 0, 1366, 728)).maximised)
        << wanted.width() << " × " << wanted.height();
}

INSTANTIATE_TEST_SUITE_P(Languages, FirstWindowInLanguage, testing::ValuesIn(kLanguages),
                         CaseName::by([](const char *language) {
                             return std::string(language);
                         }));

} // namespace
