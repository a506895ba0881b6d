// Recording once and playing back stretched: the preview's way of showing a page.
#include "platform/metafile.h"

#include <gtest/gtest.h>

namespace formidor {
namespace {

DeviceCaps caps600() {
    DeviceCaps c;
    c.dpiX = c.dpiY = 600;
    c.horzRes = 4800;
    c.vertRes = 6600;
    return c;
}

// A small page: a text, a line and a clipped text.
void drawPage(Canvas& c) {
    c.SetMapMode(TMapMode::LoMetric);
    c.Font().Height = 52;
    c.TextOut(700, -1000, "Empfänger");
    c.MoveTo(0, -50);
    c.LineTo(1000, -50);
    c.IntersectClipRect({0, 0, 1000, -500});
    TRect r{100, -100, 400, -200};
    c.DrawText("zu lang für das Feld", r, DT_SINGLELINE);
}

TEST(MetafilePlayback, StretchesEveryRecordIntoTheTargetRectangle) {
    Metafile page(4800, 6600, caps600());
    drawPage(page.GetCanvas());
    const MetaText& src = *page.FindText("Empfänger");
    EXPECT_EQ(src.device, (TPoint{1654, 2362}));
    EXPECT_EQ(src.font.Height, 52);
    EXPECT_EQ(src.mapMode, TMapMode::LoMetric);

    for (double scale : {0.25, 2.0}) {
        const int w = int(4800 * scale), h = int(6600 * scale);
        DeviceCaps target;
        target.dpiX = target.dpiY = 96;
        target.horzRes = w + 40;
        target.vertRes = h + 40;
        Metafile screen(w + 40, h + 40, target);
        screen.GetCanvas().Font().Height = 999; // the target's own state stays untouched
        page.Play(screen.GetCanvas(), {20, 20, 20 + w, 20 + h});
        EXPECT_EQ(screen.GetCanvas().Font().Height, 999);
        EXPECT_FALSE(screen.GetCanvas().HasClip());

        const MetaText& t = *screen.FindText("Empfänger");
        EXPECT_NEAR(t.baseline.x, 20 + src.baseline.x * scale, 1e-6) << scale;
        EXPECT_NEAR(t.baseline.y, 20 + src.baseline.y * scale, 1e-6) << scale;
        EXPECT_NEAR(t.deviceFont.emPixels, src.deviceFont.emPixels * scale, 1e-9);
        EXPECT_NEAR(t.width, src.width * scale, 1e-6) << scale; // same layout, scaled
        ASSERT_EQ(screen.Lines().size(), 1u);
        EXPECT_NEAR(screen.Lines()[0].to.x, 20 + page.Lines()[0].to.x * scale, 1e-6);

        const MetaText& clipped = *screen.FindText("zu lang für das Feld");
        EXPECT_TRUE(clipped.clipped);
        EXPECT_NEAR(clipped.clipRect.right, 20 + 945 * scale, 1e-6); // 400 units = 945 px

        // Playback clips to the rectangle, then to the recorded region inside it, then
        // removes the clip again as the target had none.
        std::vector<const ClipRegion*> clips;
        for (const Metafile::Record& rec : screen.Records())
            if (rec.kind == Metafile::Kind::Clip) clips.push_back(screen.ClipOf(rec));
        ASSERT_EQ(clips.size(), 3u);
        EXPECT_EQ(clips[0]->rects(), (std::vector<TRect>{{20, 20, 20 + w, 20 + h}}));
        // 100 mm × 50 mm at 600 DPI: 2362 × 1181 reference pixels, scaled.
        EXPECT_NEAR(clips[1]->bounds().Right, 20 + 2362 * scale, 1.0);
        EXPECT_NEAR(clips[1]->bounds().Bottom, 20 + 1181 * scale, 1.0);
        EXPECT_EQ(clips[2], nullptr);
    }
}

TEST(MetafilePlayback, TargetClipLimitsThePlayback) {
    Metafile page(100, 100, caps600());
    page.GetCanvas().FillRect({0, 0, 100, 100}, clRed);
    DeviceCaps target;
    target.horzRes = target.vertRes = 200;
    Metafile screen(200, 200, target);
    Canvas& c = screen.GetCanvas();
    c.SelectClipRect({0, 0, 50, 50});
    page.Play(c, {10, 10, 110, 110});
    EXPECT_EQ(c.GetClipRegion().rects(), (std::vector<TRect>{{0, 0, 50, 50}}));
    ASSERT_EQ(screen.Rectangles().size(), 1u);
    EXPECT_EQ(screen.Rectangles()[0].rect.right, 110);
    // The playback ran clipped to the target's region and the rectangle together, and gave
    // the target its own region back.
    std::vector<std::vector<TRect>> clips;
    for (const Metafile::Record& rec : screen.Records())
        if (rec.kind == Metafile::Kind::Clip) clips.push_back(screen.ClipOf(rec)->rects());
    ASSERT_EQ(clips.size(), 3u);
    EXPECT_EQ(clips[1], (std::vector<TRect>{{10, 10, 50, 50}}));
    EXPECT_EQ(clips[2], (std::vector<TRect>{{0, 0, 50, 50}}));
}

TEST(MetafilePlayback, ExcludedAreaStaysExcludedWhenEnlarged) {
    Metafile page(100, 100, caps600());
    page.GetCanvas().ExcludeClipRect({40, 40, 60, 60});
    page.GetCanvas().FillRect({0, 0, 100, 100}, clRed);
    DeviceCaps big;
    big.horzRes = big.vertRes = 1000;
    Metafile screen(1000, 1000, big);
    page.Play(screen.GetCanvas(), {0, 0, 1000, 1000}); // ten times
    const Metafile::Record& clip = screen.Records()[1];
    ASSERT_EQ(clip.kind, Metafile::Kind::Clip);
    const ClipRegion& r = *screen.ClipOf(clip);
    EXPECT_TRUE(r.contains({100, 100}));
    EXPECT_FALSE(r.contains({500, 500}));
    EXPECT_EQ(r.bounds(), (TRect{0, 0, 1000, 1000}));
}

TEST(MetafileRecording, ClearStartsAFreshRecording) {
    Metafile page(100, 100, caps600());
    drawPage(page.GetCanvas());
    page.Clear(50, 60);
    EXPECT_TRUE(page.Empty());
    EXPECT_EQ(page.Width(), 50);
    EXPECT_EQ(page.GetCanvas().GetMapMode(), TMapMode::Text);
    EXPECT_FALSE(page.GetCanvas().HasClip());
    EXPECT_EQ(page.GetCanvas().GetDeviceCaps(LOGPIXELSX), 600);
}

} // namespace
} // namespace formidor
