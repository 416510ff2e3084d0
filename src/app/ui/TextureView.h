#pragma once
// A picture at its true aspect ratio in a scrollable view: fitted into the view, or enlarged
// by a whole factor with every texture pixel a sharp square, for checking a texture closely.
#include <QImage>
#include <QScrollArea>

class TextureView : public QScrollArea
{
    Q_OBJECT
public:
    explicit TextureView(QWidget *parent = nullptr);

    /// Shows `image` at the current zoom; a null image shows nothing.
    void setImage(const QImage &image);
    const QImage &image() const;
    /// `zoom` screen pixels a picture pixel, or 0 to fit the whole picture into the view.
    void setZoom(double zoom);
    /// The screen pixels a picture pixel takes now.
    double scale() const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    class Canvas;
    /// The scale that shows `image` at the current zoom.
    double scaleFor(const QImage &image) const;

    Canvas *mCanvas;
    double mZoom = 0;
};
