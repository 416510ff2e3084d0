#include "TextureView.h"

#include <QPainter>
#include <QResizeEvent>
#include <algorithm>
#include <cmath>

// Paints the picture scaled to its own size; only the part the view exposes is drawn.
class TextureView::Canvas : public QWidget
{
public:
    using QWidget::QWidget;

    void show(const QImage &image, double scale)
    {
        mImage = image;
        mScale = scale;
        const QSize size = image.isNull() ? QSize(0, 0)
                                          : QSize(std::max(1, qRound(image.width() * scale)),
                                                  std::max(1, qRound(image.height() * scale)));
        setFixedSize(size);
        update();
    }
    const QImage &image() const { return mImage; }
    double scale() const { return mScale; }

protected:
    void paintEvent(QPaintEvent *) override
    {
        if (mImage.isNull())
            return;
        QPainter painter(this);
        // Shrunk, a picture is smoothed; enlarged, each of its pixels stays a sharp square.
        painter.setRenderHint(QPainter::SmoothPixmapTransform, mScale < 1);
        painter.drawImage(rect(), mImage);
    }

private:
    QImage mImage;
    double mScale = 1;
};

TextureView::TextureView(QWidget *parent) : QScrollArea(parent), mCanvas(new Canvas)
{
    setWidget(mCanvas);
    setAlignment(Qt::AlignCenter);
    setBackgroundRole(QPalette::Dark);
    setMinimumSize(160, 160);
}

void TextureView::setImage(const QImage &image)
{
    mCanvas->show(image, scaleFor(image));
}

const QImage &TextureView::image() const
{
    return mCanvas->image();
}

void TextureView::setZoom(double zoom)
{
    mZoom = zoom;
    mCanvas->show(mCanvas->image(), scaleFor(mCanvas->image()));
}

double TextureView::scale() const
{
    return mCanvas->scale();
}

void TextureView::resizeEvent(QResizeEvent *event)
{
    QScrollArea::resizeEvent(event);
    if (mZoom <= 0)
        mCanvas->show(mCanvas->image(), scaleFor(mCanvas->image()));
}

double TextureView::scaleFor(const QImage &image) const
{
    if (mZoom > 0 || image.isNull())
        return mZoom > 0 ? mZoom : 1;
    const QSize room = maximumViewportSize();
    const double fit = std::min(static_cast<double>(room.width()) / image.width(),
                                static_cast<double>(room.height()) / image.height());
    // Enlarged by a whole factor, every texture pixel is a square of the same size.
    return fit >= 1 ? std::floor(fit) : std::max(0.01, fit);
}
