#pragma once
// The Export Pack window: the pack's title, author and description, and the boots that changed
// since a base (the kept original, or a boots file the user picks), each with a tick (all
// ticked at first), so that the pack holds only the ticked boots and their textures. It
// changes nothing itself: the caller's lister gives the boots of each base, and the caller
// takes basePath(), ticked() and the texts on OK.
#include <QDialog>
#include <QStringList>
#include <functional>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

class frmExportPack : public QDialog
{
    Q_OBJECT
public:
    /// Gives one line per changed boot since the base at `basePath` (empty: the original), or
    /// false after telling the user why that base cannot be used.
    using Lister = std::function<bool(const QString &basePath, QStringList &boots)>;

    /// Lists the boots changed since the original; `listed` is false when it could not.
    frmExportPack(Lister lister, QWidget *parent = nullptr);

    bool listed() const { return mListed; }
    /// The base file chosen, or the empty text for the original.
    QString basePath() const { return mBasePath; }
    /// Whether each listed boot is ticked, in the lister's order.
    std::vector<bool> ticked() const;
    /// Lists the boots changed since the boots file at `path`; false (nothing changed) when
    /// the lister refuses it.
    bool useBase(const QString &path);

    /// The title, author and description the pack will carry (UTF-8 as typed).
    void setPackTitle(const QString &title);
    QString packTitle() const;
    QString packAuthor() const;
    QString packDescription() const;

private:
    void cmdBaseFile_Click();
    void showBase();

    Lister mLister;
    QString mBasePath;
    bool mListed = false;
    QLabel *lblBase = nullptr;
    QListWidget *lstBoots = nullptr;
    QPushButton *cmdBaseFile = nullptr;
    QLineEdit *txtPackTitle = nullptr;
    QLineEdit *txtPackAuthor = nullptr;
    QPlainTextEdit *txtPackDescription = nullptr;
};
