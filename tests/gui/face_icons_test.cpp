// The button faces drawn for the host's command bars.
#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <set>

#include "gui/face_icons.h"
#include "qt_app.h"

namespace tavrello::gui {
namespace {

QImage faceImage(int faceId, QIcon::Mode mode = QIcon::Normal) {
  return faceIcon(faceId).pixmap(QSize(32, 32), mode).toImage().convertToFormat(QImage::Format_ARGB32);
}

int paintedPixels(const QImage& image) {
  int painted = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) painted += qAlpha(image.pixel(x, y)) > 0;
  return painted;
}

TEST(FaceIcons, EveryFaceTheToolbarsUseIsDrawnAndTheyDifferFromEachOther) {
  testing::qtApp();
  const std::vector<int> faces = {528, 610, 141, 480, 2520, 852, 899, 113, 114, 115};
  std::set<QByteArray> seen;
  for (int face : faces) {
    EXPECT_TRUE(hasFace(face)) << face;
    const QImage image = faceImage(face);
    EXPECT_GT(paintedPixels(image), 32 * 32 / 10) << "face " << face << " is mostly empty";
    const QByteArray bytes(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
    EXPECT_TRUE(seen.insert(bytes).second) << "face " << face << " looks like another face";
  }
}

TEST(FaceIcons, UnknownFacesGetAPlainButtonAndFaceZeroNone) {
  testing::qtApp();
  EXPECT_FALSE(hasFace(12345));
  EXPECT_GT(paintedPixels(faceImage(12345)), 0);
  EXPECT_TRUE(faceIcon(0).isNull());
}

TEST(FaceIcons, DisabledFacesAreFaded) {
  testing::qtApp();
  const QImage normal = faceImage(480);
  const QImage disabled = faceImage(480, QIcon::Disabled);
  int normalAlpha = 0, disabledAlpha = 0;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      normalAlpha += qAlpha(normal.pixel(x, y));
      disabledAlpha += qAlpha(disabled.pixel(x, y));
    }
  }
  EXPECT_LT(disabledAlpha, normalAlpha / 2);
}

}  // namespace
}  // namespace tavrello::gui
