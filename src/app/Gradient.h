#pragma once
#include <QColor>
#include <QImage>
#include <QWidget>

namespace mpsec {

// The main window's background colours: silver at the top to light blue at the bottom.
inline const QColor kGradientTop{192, 192, 192};
inline const QColor kGradientBottom{166, 202, 240};
inline constexpr int kGradientSteps = 256;

// The dither masks, 1-bit pictures among the program's resources: set 0 (30 by 69) for
// gentle gradients, set 1 (28 by 14) for steep ones. A white pixel lets a band's own
// colour show, a black one the colour of the band above.
const QImage& DitherMask(int set);

// A top-to-bottom gradient of `width` by `height` pixels from `start` to `end`. Dithered, it
// is a few solid bands each blended into the band above through a dither mask, so a
// smooth-looking gradient needs about height / mask height colours; otherwise (or when the
// picture is shorter than twice the mask) it is `steps` plain bands (at least 2).
QImage GradientImage(int width, int height, const QColor& start, const QColor& end, bool dither,
                     int steps);

// The main window's background: the gradient over the paint rectangle, the window's size
// when it was created, composed off screen once and drawn in one operation on every paint.
// A window made larger (maximised) shows the plain window colour beyond it.
class GradientBackground : public QWidget {
  public:
    explicit GradientBackground(QSize paintSize, QWidget* parent = nullptr);
    // How many times the picture has been composed (it is kept between paints).
    int compositions() const { return compositions_; }
    const QImage& picture() const { return picture_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QSize paintSize_;
    QImage picture_;
    int compositions_ = 0;
};

} // namespace mpsec
