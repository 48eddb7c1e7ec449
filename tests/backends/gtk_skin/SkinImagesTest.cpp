#include "backends/gtk/skin/SkinImages.h"

#include <gio/gio.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

using vz::Rect;
using vz::gtk::DrawImageInRect;
using vz::gtk::DrawImagePart;
using vz::gtk::LoadPngResource;

struct Picture {
  int id;
  int width;
  int height;
};

const Picture kPictures[] = {
    {131, 154, 82},  {132, 355, 169},  {133, 154, 82}, {134, 75, 44},  {135, 75, 44},
    {136, 75, 25},   {137, 11, 33},    {138, 55, 162}, {139, 154, 82}, {140, 65, 44},
    {142, 136, 198}, {143, 800, 500},  {144, 39, 47},  {145, 818, 47}, {146, 40, 60},
    {147, 48, 29},   {149, 1155, 825}, {150, 75, 25},  {151, 75, 25},  {152, 39, 117},
    {153, 154, 82},  {154, 65, 44},    {155, 75, 44},  {156, 60, 42},  {157, 75, 25},
    {158, 128, 16},  {159, 75, 22},    {160, 75, 22},
};

struct SurfaceDeleter {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

struct ContextDeleter {
  void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
using Context = std::unique_ptr<cairo_t, ContextDeleter>;

Surface Load(int id) {
  cairo_surface_t* s = nullptr;
  EXPECT_TRUE(LoadPngResource(id, &s)) << id;
  return Surface(s);
}

Surface Blank(int w, int h) {
  return Surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h));
}

Surface Filled(int w, int h, double r, double g, double b, double a) {
  Surface s = Blank(w, h);
  Context cr(cairo_create(s.get()));
  cairo_set_source_rgba(cr.get(), r, g, b, a);
  cairo_set_operator(cr.get(), CAIRO_OPERATOR_SOURCE);
  cairo_paint(cr.get());
  return s;
}

std::uint32_t Pixel(cairo_surface_t* s, int x, int y) {
  cairo_surface_flush(s);
  const unsigned char* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  std::uint32_t px = 0;
  std::memcpy(&px, data + y * stride + x * 4, 4);
  return px;
}

int Alpha(cairo_surface_t* s, int x, int y) { return static_cast<int>(Pixel(s, x, y) >> 24); }

// Pixels of a rectangle of `s`, row after row.
std::vector<std::uint32_t> Pixels(cairo_surface_t* s, const Rect& r) {
  std::vector<std::uint32_t> out;
  for (int y = r.top; y < r.bottom; ++y) {
    for (int x = r.left; x < r.right; ++x) out.push_back(Pixel(s, x, y));
  }
  return out;
}

std::vector<std::uint32_t> All(cairo_surface_t* s) {
  return Pixels(s, Rect{0, 0, cairo_image_surface_get_width(s), cairo_image_surface_get_height(s)});
}

int Width(cairo_surface_t* s) { return cairo_image_surface_get_width(s); }

int Height(cairo_surface_t* s) { return cairo_image_surface_get_height(s); }

class EveryPicture : public ::testing::TestWithParam<Picture> {};

TEST_P(EveryPicture, LoadsAsArgbAtItsTableSize) {
  const Picture p = GetParam();
  Surface s = Load(p.id);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(cairo_surface_status(s.get()), CAIRO_STATUS_SUCCESS);
  EXPECT_EQ(cairo_image_surface_get_format(s.get()), CAIRO_FORMAT_ARGB32);
  EXPECT_EQ(Width(s.get()), p.width);
  EXPECT_EQ(Height(s.get()), p.height);
}

TEST_P(EveryPicture, DrawnAtItsOwnSizeIsAnExactCopy) {
  const Picture p = GetParam();
  Surface image = Load(p.id);
  Surface target = Blank(p.width, p.height);
  Context cr(cairo_create(target.get()));
  DrawImageInRect(image.get(), cr.get(), 0, 0, p.width, p.height);
  EXPECT_EQ(All(target.get()), All(image.get()));
}

TEST_P(EveryPicture, IsNotBlank) {
  Surface s = Load(GetParam().id);
  int visible = 0;
  for (std::uint32_t px : All(s.get())) visible += (px >> 24) != 0 ? 1 : 0;
  EXPECT_GT(visible, 0);
}

std::string PictureName(const ::testing::TestParamInfo<Picture>& p) {
  return std::to_string(p.param.id);
}

INSTANTIATE_TEST_SUITE_P(SkinImages, EveryPicture, ::testing::ValuesIn(kPictures), PictureName);

TEST(SkinImages, IdsWithoutAPictureReturnFalseAndLeaveTheOutputAlone) {
  Surface marker = Blank(1, 1);
  for (int id : {141, 148, 0, -1, 999, 130, 161}) {
    cairo_surface_t* out = marker.get();
    EXPECT_FALSE(LoadPngResource(id, &out)) << id;
    EXPECT_EQ(out, marker.get()) << id;
    cairo_surface_t* null = nullptr;
    EXPECT_FALSE(LoadPngResource(id, &null)) << id;
    EXPECT_EQ(null, nullptr) << id;
  }
  EXPECT_FALSE(LoadPngResource(149, nullptr));
}

TEST(SkinImages, RegistrationIsIdempotent) {
  vz::gtk::RegisterSkinResources();
  vz::gtk::RegisterSkinResources();
  GBytes* bytes =
      g_resources_lookup_data("/vozudezi/png/149.png", G_RESOURCE_LOOKUP_FLAGS_NONE, nullptr);
  ASSERT_NE(bytes, nullptr);
  g_bytes_unref(bytes);
  bytes = g_resources_lookup_data("/vozudezi/icon/148.png", G_RESOURCE_LOOKUP_FLAGS_NONE, nullptr);
  ASSERT_NE(bytes, nullptr);
  g_bytes_unref(bytes);
}

TEST(SkinImages, ExactCopyLandsAtTheRectangleAndNowhereElse) {
  Surface image = Load(137);
  Surface target = Filled(40, 60, 0.2, 0.4, 0.6, 1.0);
  const std::uint32_t ground = Pixel(target.get(), 0, 0);
  Surface opaqueImage = Load(143);  // opaque, so OVER gives the image itself
  Context cr(cairo_create(target.get()));
  DrawImagePart(opaqueImage.get(), cr.get(), Rect{100, 100, 111, 133}, Rect{7, 9, 18, 42});
  for (int y = 0; y < 60; ++y) {
    for (int x = 0; x < 40; ++x) {
      const bool inside = x >= 7 && x < 18 && y >= 9 && y < 42;
      if (inside) {
        EXPECT_EQ(Pixel(target.get(), x, y), Pixel(opaqueImage.get(), x - 7 + 100, y - 9 + 100));
      } else {
        EXPECT_EQ(Pixel(target.get(), x, y), ground) << x << "," << y;
      }
    }
  }
}

TEST(SkinImages, StretchedDrawFillsTheWholeLargerRectangle) {
  Surface image = Load(143);  // opaque frame background
  Surface target = Blank(1700, 1100);
  Context cr(cairo_create(target.get()));
  DrawImageInRect(image.get(), cr.get(), 50, 60, 1650, 1060);
  for (int y = 0; y < 1100; y += 7) {
    for (int x = 0; x < 1700; x += 7) {
      const bool inside = x >= 50 && x < 1650 && y >= 60 && y < 1060;
      EXPECT_EQ(Alpha(target.get(), x, y), inside ? 255 : 0) << x << "," << y;
    }
  }
  // Every edge row and column is covered too.
  for (int x = 50; x < 1650; ++x) {
    EXPECT_EQ(Alpha(target.get(), x, 60), 255);
    EXPECT_EQ(Alpha(target.get(), x, 1059), 255);
  }
  for (int y = 60; y < 1060; ++y) {
    EXPECT_EQ(Alpha(target.get(), 50, y), 255);
    EXPECT_EQ(Alpha(target.get(), 1649, y), 255);
  }
  // The whole picture is spread over the rectangle: its centre lands at the centre.
  const std::uint32_t want = Pixel(image.get(), 400, 250);
  const std::uint32_t got = Pixel(target.get(), 850, 560);
  for (int shift : {0, 8, 16}) {
    const int a = static_cast<int>((want >> shift) & 0xFF);
    const int b = static_cast<int>((got >> shift) & 0xFF);
    EXPECT_NEAR(a, b, 3);
  }
}

TEST(SkinImages, NullImageDrawsNothing) {
  Surface target = Filled(20, 20, 0.5, 0.1, 0.9, 1.0);
  const std::vector<std::uint32_t> before = All(target.get());
  Context cr(cairo_create(target.get()));
  DrawImageInRect(nullptr, cr.get(), 0, 0, 20, 20);
  DrawImagePart(nullptr, cr.get(), Rect{0, 0, 5, 5}, Rect{0, 0, 20, 20});
  EXPECT_EQ(All(target.get()), before);
}

TEST(SkinImages, EmptyRectanglesDrawNothing) {
  Surface image = Load(143);
  Surface target = Filled(20, 20, 0.5, 0.1, 0.9, 1.0);
  const std::vector<std::uint32_t> before = All(target.get());
  Context cr(cairo_create(target.get()));
  DrawImageInRect(image.get(), cr.get(), 10, 10, 10, 20);
  DrawImageInRect(image.get(), cr.get(), 15, 15, 5, 5);
  DrawImagePart(image.get(), cr.get(), Rect{0, 0, 0, 0}, Rect{0, 0, 20, 20});
  DrawImagePart(image.get(), cr.get(), Rect{900, 0, 950, 10}, Rect{0, 0, 20, 20});
  EXPECT_EQ(All(target.get()), before);
}

// A strip of three solid frames side by side and three stacked, to catch any bleeding.
Surface ColourStrip(bool vertical) {
  const int n = 3;
  Surface s = Blank(vertical ? 10 : 10 * n, vertical ? 10 * n : 10);
  Context cr(cairo_create(s.get()));
  const double colours[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  for (int i = 0; i < n; ++i) {
    cairo_set_source_rgb(cr.get(), colours[i][0], colours[i][1], colours[i][2]);
    cairo_rectangle(cr.get(), vertical ? 0 : 10 * i, vertical ? 10 * i : 0, 10, 10);
    cairo_fill(cr.get());
  }
  cairo_surface_flush(s.get());
  return s;
}

TEST(SkinImages, PartDrawsOnlyTheChosenFrameAtAnySize) {
  for (bool vertical : {false, true}) {
    Surface strip = ColourStrip(vertical);
    for (int frame = 0; frame < 3; ++frame) {
      const Rect src = vertical ? Rect{0, 10 * frame, 10, 10 * frame + 10}
                                : Rect{10 * frame, 0, 10 * frame + 10, 10};
      const std::uint32_t colour = Pixel(strip.get(), src.left + 5, src.top + 5);
      for (const Rect& dst : {Rect{3, 4, 13, 14}, Rect{3, 4, 40, 37}, Rect{3, 4, 7, 9}}) {
        Surface target = Blank(50, 50);
        Context cr(cairo_create(target.get()));
        DrawImagePart(strip.get(), cr.get(), src, dst);
        for (int y = 0; y < 50; ++y) {
          for (int x = 0; x < 50; ++x) {
            const bool inside = x >= dst.left && x < dst.right && y >= dst.top && y < dst.bottom;
            ASSERT_EQ(Pixel(target.get(), x, y), inside ? colour : 0u)
                << "frame " << frame << " at " << x << "," << y << " into " << dst.Width() << "x"
                << dst.Height();
          }
        }
      }
    }
  }
}

TEST(SkinImages, PartAtOwnSizeCopiesTheFrameOfARealStrip) {
  Surface close = Load(136);  // three 25x25 frames side by side
  for (int frame = 0; frame < 3; ++frame) {
    Surface target = Blank(25, 25);
    Context cr(cairo_create(target.get()));
    DrawImagePart(close.get(), cr.get(), Rect{25 * frame, 0, 25 * frame + 25, 25},
                  Rect{0, 0, 25, 25});
    EXPECT_EQ(All(target.get()), Pixels(close.get(), Rect{25 * frame, 0, 25 * frame + 25, 25}));
  }
}

TEST(SkinImages, PartReachingPastTheImageRepeatsItsEdge) {
  Surface strip = ColourStrip(true);  // 10x30, blue at the bottom
  Surface target = Blank(10, 20);
  Context cr(cairo_create(target.get()));
  DrawImagePart(strip.get(), cr.get(), Rect{0, 20, 10, 40}, Rect{0, 0, 10, 20});
  const std::uint32_t blue = Pixel(strip.get(), 5, 25);
  for (std::uint32_t px : All(target.get())) EXPECT_EQ(px, blue);
}

TEST(SkinImages, DrawingFollowsTheContextsOperator) {
  Surface half = Filled(4, 4, 1, 1, 1, 0.5);
  Surface over = Filled(4, 4, 0, 0, 0, 1);
  {
    Context cr(cairo_create(over.get()));
    DrawImageInRect(half.get(), cr.get(), 0, 0, 4, 4);
  }
  EXPECT_EQ(Alpha(over.get(), 1, 1), 255);  // blended onto black
  Surface source = Filled(4, 4, 0, 0, 0, 1);
  {
    Context cr(cairo_create(source.get()));
    cairo_set_operator(cr.get(), CAIRO_OPERATOR_SOURCE);
    DrawImageInRect(half.get(), cr.get(), 0, 0, 4, 4);
  }
  EXPECT_EQ(Pixel(source.get(), 1, 1), Pixel(half.get(), 1, 1));  // replaced
}

// The launcher picture.

constexpr Rect kBrowser{324, 284, 967, 682};
constexpr Rect kClose{968, 211, 1023, 265};
constexpr Rect kMinimise{928, 227, 967, 266};

struct LauncherButton {
  int id;
  Rect rect;
  int frames;
};

const LauncherButton kLauncherButtons[] = {
    {153, {343, 235, 497, 276}, 2},
    {133, {478, 235, 632, 276}, 2},
    {131, {614, 235, 768, 276}, 2},
    {139, {750, 235, 904, 276}, 2},
    {138, kClose, 3},
    {152, kMinimise, 3},
};

TEST(LauncherPicture, CornersAreFullyTransparent) {
  Surface bg = Load(149);
  for (int y : {0, 1, 823, 824}) {
    for (int x : {0, 1, 1153, 1154}) EXPECT_EQ(Pixel(bg.get(), x, y), 0u) << x << "," << y;
  }
  // So is the whole border of the picture.
  for (int x = 0; x < 1155; ++x) {
    EXPECT_EQ(Alpha(bg.get(), x, 0), 0);
    EXPECT_EQ(Alpha(bg.get(), x, 824), 0);
  }
  for (int y = 0; y < 825; ++y) {
    EXPECT_EQ(Alpha(bg.get(), 0, y), 0);
    EXPECT_EQ(Alpha(bg.get(), 1154, y), 0);
  }
}

TEST(LauncherPicture, OutlineIsSoftAndIrregular) {
  Surface bg = Load(149);
  // Walking in from the left and from the right at several heights, the alpha climbs through
  // partial values before the body is reached.
  for (int y : {120, 300, 452, 600, 760}) {
    for (int dir : {1, -1}) {
      int partial = 0;
      int x = dir > 0 ? 0 : 1154;
      while (x >= 0 && x < 1155 && Alpha(bg.get(), x, y) < 255) {
        const int a = Alpha(bg.get(), x, y);
        if (a > 0) ++partial;
        x += dir;
      }
      ASSERT_TRUE(x >= 0 && x < 1155) << "row " << y << " has no opaque pixel";
      EXPECT_GE(partial, 3) << "row " << y;
    }
  }
  // Not a rectangle: the first opaque column differs a lot from row to row.
  auto firstOpaque = [&](int y) {
    int x = 0;
    while (x < 1155 && Alpha(bg.get(), x, y) < 255) ++x;
    return x;
  };
  EXPECT_GT(firstOpaque(120) - firstOpaque(452), 200);
  EXPECT_GT(firstOpaque(700) - firstOpaque(452), 100);
}

TEST(LauncherPicture, BrowserAreaIsOpaqueBlack) {
  Surface bg = Load(149);
  for (std::uint32_t px : Pixels(bg.get(), kBrowser)) ASSERT_EQ(px, 0xFF000000u);
}

TEST(LauncherPicture, ButtonAreasAreOpaque) {
  Surface bg = Load(149);
  for (const LauncherButton& b : kLauncherButtons) {
    for (std::uint32_t px : Pixels(bg.get(), b.rect)) ASSERT_EQ(px >> 24, 0xFFu) << b.id;
  }
}

TEST(LauncherPicture, NormalFramesRepeatTheBackgroundExactly) {
  Surface bg = Load(149);
  for (const LauncherButton& b : kLauncherButtons) {
    Surface button = Load(b.id);
    const int w = b.rect.Width();
    const int h = b.rect.Height();
    ASSERT_EQ(Width(button.get()), w) << b.id;
    ASSERT_EQ(Height(button.get()), h * b.frames) << b.id;
    EXPECT_EQ(Pixels(button.get(), Rect{0, 0, w, h}), Pixels(bg.get(), b.rect)) << b.id;
    // The hover frame is a visibly different picture.
    EXPECT_NE(Pixels(button.get(), Rect{0, h, w, 2 * h}), Pixels(bg.get(), b.rect)) << b.id;
  }
}

TEST(LauncherPicture, ComposingTheNormalFramesChangesNothing) {
  Surface bg = Load(149);
  Surface target = Blank(1155, 825);
  Context cr(cairo_create(target.get()));
  DrawImageInRect(bg.get(), cr.get(), 0, 0, 1155, 825);
  for (const LauncherButton& b : kLauncherButtons) {
    Surface button = Load(b.id);
    DrawImagePart(button.get(), cr.get(), Rect{0, 0, b.rect.Width(), b.rect.Height()}, b.rect);
  }
  EXPECT_EQ(All(target.get()), All(bg.get()));
}

TEST(LauncherPicture, HoveredLinkChangesOnlyItsOwnRectangle) {
  Surface bg = Load(149);
  Surface home = Load(153);
  Surface target = Blank(1155, 825);
  Context cr(cairo_create(target.get()));
  DrawImageInRect(bg.get(), cr.get(), 0, 0, 1155, 825);
  const Rect rect{343, 235, 497, 276};
  DrawImagePart(home.get(), cr.get(), Rect{0, 41, 154, 82}, rect);
  int changed = 0;
  for (int y = 0; y < 825; ++y) {
    for (int x = 0; x < 1155; ++x) {
      if (Pixel(target.get(), x, y) != Pixel(bg.get(), x, y)) {
        ASSERT_TRUE(rect.Contains({x, y})) << x << "," << y;
        ++changed;
      }
    }
  }
  EXPECT_GT(changed, 500);
}

TEST(LauncherPicture, HoverFramesLeaveTheSharedStripsAlone) {
  // Neighbouring links overlap by 19 columns and are drawn one after the other, so a hover
  // frame must agree with the normal frame there, whichever link is drawn last.
  const Rect links[] = {
      {343, 235, 497, 276}, {478, 235, 632, 276}, {614, 235, 768, 276}, {750, 235, 904, 276}};
  const int ids[] = {153, 133, 131, 139};
  for (int i = 0; i < 4; ++i) {
    Surface button = Load(ids[i]);
    const int left = i > 0 ? links[i - 1].right - links[i].left : 0;
    const int right = i < 3 ? links[i + 1].left - links[i].left : 154;
    for (int y = 0; y < 41; ++y) {
      for (int x = 0; x < 154; ++x) {
        if (x >= left && x < right) continue;
        ASSERT_EQ(Pixel(button.get(), x, y), Pixel(button.get(), x, y + 41))
            << ids[i] << " at " << x << "," << y;
      }
    }
  }
}

// Pictures that the game window draws over and over without repainting in between.

TEST(GamePictures, BindingAnimationFramesAreOpaqueAndDistinct) {
  Surface bind = Load(142);
  std::vector<std::vector<std::uint32_t>> frames;
  for (int k = 0; k < 9; ++k) {
    frames.push_back(Pixels(bind.get(), Rect{0, 22 * k, 136, 22 * k + 22}));
    for (std::uint32_t px : frames.back()) ASSERT_EQ(px >> 24, 0xFFu) << "frame " << k;
  }
  for (int k = 1; k < 9; ++k) EXPECT_NE(frames[k], frames[k - 1]) << k;
}

TEST(GamePictures, SpinnerFramesAreOpaqueOnTheCleaningButtonsWell) {
  Surface spinner = Load(158);
  Surface cleaning = Load(135);
  std::vector<std::vector<std::uint32_t>> frames;
  for (int i = 0; i < 8; ++i) {
    frames.push_back(Pixels(spinner.get(), Rect{16 * i, 0, 16 * i + 16, 16}));
    for (std::uint32_t px : frames.back()) ASSERT_EQ(px >> 24, 0xFFu) << "frame " << i;
    // Its ground is the colour of the well it is drawn into at (4, 4) of both frames.
    EXPECT_EQ(Pixel(spinner.get(), 16 * i, 0), Pixel(cleaning.get(), 4, 4));
    EXPECT_EQ(Pixel(spinner.get(), 16 * i, 0), Pixel(cleaning.get(), 4, 26));
  }
  for (int i = 1; i < 8; ++i) EXPECT_NE(frames[i], frames[i - 1]) << i;
}

TEST(GamePictures, CleaningButtonKeepsTheSpinnerSegmentOnHover) {
  // Hover repaints skip (5, 2)-(22, 20) while cleaning, so both frames agree there.
  Surface cleaning = Load(135);
  EXPECT_EQ(Pixels(cleaning.get(), Rect{0, 0, 22, 22}),
            Pixels(cleaning.get(), Rect{0, 22, 22, 44}));
  EXPECT_NE(Pixels(cleaning.get(), Rect{22, 0, 75, 22}),
            Pixels(cleaning.get(), Rect{22, 22, 75, 44}));
}

TEST(GamePictures, ButtonStripsHaveDistinctFrames) {
  struct Strip {
    int id;
    int frames;
    bool vertical;
  };
  for (const Strip& s :
       {Strip{136, 3, false}, Strip{150, 3, false}, Strip{151, 3, false}, Strip{157, 3, false},
        Strip{134, 2, true}, Strip{140, 2, true}, Strip{154, 2, true}, Strip{155, 2, true},
        Strip{137, 3, true}, Strip{138, 3, true}, Strip{152, 3, true}, Strip{146, 3, true},
        Strip{156, 2, true}}) {
    Surface image = Load(s.id);
    const int w = s.vertical ? Width(image.get()) : Width(image.get()) / s.frames;
    const int h = s.vertical ? Height(image.get()) / s.frames : Height(image.get());
    std::vector<std::vector<std::uint32_t>> frames;
    for (int i = 0; i < s.frames; ++i) {
      const int x = s.vertical ? 0 : w * i;
      const int y = s.vertical ? h * i : 0;
      frames.push_back(Pixels(image.get(), Rect{x, y, x + w, y + h}));
    }
    for (int i = 1; i < s.frames; ++i) EXPECT_NE(frames[i], frames[i - 1]) << s.id << " " << i;
  }
}

TEST(Icon, LoadsAs48By48WithAlpha) {
  GdkPixbuf* icon = vz::gtk::LoadIconPixbuf();
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(gdk_pixbuf_get_width(icon), 48);
  EXPECT_EQ(gdk_pixbuf_get_height(icon), 48);
  EXPECT_TRUE(gdk_pixbuf_get_has_alpha(icon));
  EXPECT_EQ(gdk_pixbuf_get_n_channels(icon), 4);
  const guchar* pixels = gdk_pixbuf_get_pixels(icon);
  EXPECT_EQ(pixels[3], 0);  // transparent corner
  const int centre = 24 * gdk_pixbuf_get_rowstride(icon) + 24 * 4;
  EXPECT_EQ(pixels[centre + 3], 255);
  g_object_unref(icon);
}

}  // namespace
