#include <QFont>
#include <QGuiApplication>
#include <QPainter>

#include "platform/qt/painting.h"
#include "tests/support/testenv.h"

namespace zembo {
namespace {

class PaintingTest : public test::TempDirTest {
 protected:
  void SetUp() override {
    TempDirTest::SetUp();
    static int argc = 1;
    static char name[] = "platform_qt_tests";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance()) new QGuiApplication(argc, argv);
  }
};

// The topmost row and leftmost column where a colour was painted, or -1.
QPoint firstOf(const QImage& image, const QColor& colour) {
  int top = -1, left = -1;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixelColor(x, y) == colour) {
        if (top < 0) top = y;
        if (left < 0 || x < left) left = x;
      }
  return {left, top};
}

TEST_F(PaintingTest, WinRectLeavesTheRightAndBottomEdgesOutside) {
  const QRect rect = winRect(30, 20, 480, 90);
  EXPECT_EQ(rect.topLeft(), QPoint(30, 20));
  EXPECT_EQ(rect.bottomRight(), QPoint(479, 89));
}

TEST_F(PaintingTest, TheRaisedCopyStandsTwoPixelsUpAndLeftAndBothStayInTheRectangle) {
  QImage image(200, 80, QImage::Format_RGB32);
  image.fill(QColor(0, 0, 200));
  QFont font("Liberation Serif");
  font.setPixelSize(40);
  font.setBold(true);
  QPainter painter(&image);
  // The box is lower than the font: what would stand below it is cut off.
  drawRaisedText(painter, winRect(20, 20, 180, 50), "HIH", font);
  painter.end();
  const QPoint black = firstOf(image, Qt::black), light = firstOf(image, QColor(230, 230, 230));
  ASSERT_GE(black.y(), 0);
  ASSERT_GE(light.y(), 0);
  EXPECT_EQ(light.x(), black.x() - 2);
  EXPECT_EQ(light.y(), black.y() - 2);
  for (int x = 0; x < image.width(); ++x)
    for (int y = 50; y < image.height(); ++y) ASSERT_EQ(image.pixelColor(x, y), QColor(0, 0, 200)) << x << "," << y;
}

TEST_F(PaintingTest, OnlyTheTransparentColourBecomesTransparent) {
  QImage picture(3, 1, QImage::Format_RGB32);
  picture.setPixel(0, 0, qRgb(255, 255, 255));
  picture.setPixel(1, 0, qRgb(255, 255, 254));
  picture.setPixel(2, 0, qRgb(255, 255, 255));
  const QImage result = withTransparentColour(picture, qRgba(255, 255, 255, 0));
  EXPECT_EQ(qAlpha(result.pixel(0, 0)), 0);
  EXPECT_EQ(result.pixel(1, 0), qRgb(255, 255, 254));
  EXPECT_EQ(qAlpha(result.pixel(2, 0)), 0);
}

}  // namespace
}  // namespace zembo
