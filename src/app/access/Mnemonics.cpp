#include "Mnemonics.h"

#include <QHash>
#include <QSet>

#include <vector>

namespace {

/// The position of the character that a "&" marks, or -1.
qsizetype markedPosition(const QString &caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != QLatin1Char('&'))
            continue;
        if (caption[i + 1] == QLatin1Char('&'))
            ++i;
        else if (caption[i + 1].isLetterOrNumber())
            return i + 1;
    }
    return -1;
}

QChar folded(QChar c)
{
    return c.toCaseFolded();
}

bool isWordStart(const QString &text, qsizetype i)
{
    return i == 0 || !text[i - 1].isLetterOrNumber();
}

/// The positions a caption's mnemonic may take, best first: the first letters of its words,
/// then its other letters; each letter once.
std::vector<qsizetype> choicesOf(const QString &text)
{
    std::vector<qsizetype> out;
    QSet<QChar> seen;
    for (const bool wordStartsOnly : {true, false}) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text[i].isLetterOrNumber() && (!wordStartsOnly || isWordStart(text, i)) &&
                !seen.contains(folded(text[i]))) {
                seen.insert(folded(text[i]));
                out.push_back(i);
            }
        }
    }
    return out;
}

class Assignment
{
public:
    explicit Assignment(const QStringList &captions)
    {
        for (qsizetype i = 0; i < captions.size(); ++i) {
            const qsizetype marked = markedPosition(captions[i]);
            if (marked >= 0)
                mOwner.insert(folded(captions[i][marked]), kOwnMnemonic);
            mShown.push_back(marked >= 0 ? QString() : Mnemonics::plain(captions[i]));
            mChoices.push_back(marked >= 0 ? std::vector<qsizetype>() : choicesOf(mShown.back()));
            mChosen.push_back(-1);
        }
        // The first free choice of each caption in turn; then the captions left without one
        // take a letter that another caption can exchange for one of its other choices.
        for (std::size_t i = 0; i < mShown.size(); ++i) {
            for (const qsizetype p : mChoices[i]) {
                if (!mOwner.contains(folded(mShown[i][p]))) {
                    take(i, p);
                    break;
                }
            }
        }
        for (std::size_t i = 0; i < mShown.size(); ++i) {
            QSet<QChar> visited;
            if (mChosen[i] < 0)
                place(i, visited);
        }
    }

    qsizetype chosen(std::size_t i) const { return mChosen[i]; }
    const QString &shown(std::size_t i) const { return mShown[i]; }

private:
    static constexpr std::size_t kOwnMnemonic = std::size_t(-1);

    void take(std::size_t i, qsizetype p)
    {
        mChosen[i] = p;
        mOwner.insert(folded(mShown[i][p]), i);
    }

    bool place(std::size_t i, QSet<QChar> &visited)
    {
        for (const qsizetype p : mChoices[i]) {
            const QChar c = folded(mShown[i][p]);
            if (visited.contains(c))
                continue;
            visited.insert(c);
            const auto owner = mOwner.constFind(c);
            if (owner == mOwner.cend() ||
                (owner.value() != kOwnMnemonic && place(owner.value(), visited))) {
                take(i, p);
                return true;
            }
        }
        return false;
    }

    std::vector<QString> mShown;
    std::vector<std::vector<qsizetype>> mChoices;
    std::vector<qsizetype> mChosen;
    QHash<QChar, std::size_t> mOwner;
};

} // namespace

namespace Mnemonics {

QStringList assign(const QStringList &captions)
{
    const Assignment assignment(captions);
    QStringList out;
    out.reserve(captions.size());
    for (qsizetype i = 0; i < captions.size(); ++i) {
        if (markedPosition(captions[i]) >= 0) {
            out << captions[i];
            continue;
        }
        const QString &shown = assignment.shown(static_cast<std::size_t>(i));
        const qsizetype chosen = assignment.chosen(static_cast<std::size_t>(i));
        QString marked;
        marked.reserve(shown.size() + 2);
        for (qsizetype j = 0; j < shown.size(); ++j) {
            if (j == chosen || shown[j] == QLatin1Char('&'))
                marked += QLatin1Char('&');
            marked += shown[j];
        }
        out << marked;
    }
    return out;
}

QString plain(const QString &caption)
{
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        const bool marks =
            caption[i] == QLatin1Char('&') && i + 1 < caption.size() &&
            (caption[i + 1] == QLatin1Char('&') || caption[i + 1].isLetterOrNumber());
        if (marks)
            ++i;
        shown += caption[i];
    }
    return shown;
}

QChar letter(const QString &caption)
{
    const qsizetype marked = markedPosition(caption);
    return marked < 0 ? QChar() : folded(caption[marked]).toLower();
}

} // namespace Mnemonics
