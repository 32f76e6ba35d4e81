#include "app/rules/CommandStates.h"
#include "app/rules/DrawingFilePath.h"
#include "app/rules/MainWindowLayout.h"
#include "app/rules/NewDrawingChoices.h"
#include "app/rules/ProductInfo.h"
#include "app/rules/RecentDrawings.h"
#include "app/rules/RecoveryTiming.h"
#include "app/rules/StartPlace.h"

#include <gtest/gtest.h>

#include <string>

namespace MyApp {
namespace {

TEST(MainWindowLayout, PaletteWrapsBeforeTheRightEdge) {
    const PalettePlaces places = PaletteCellPlaces(600, 500);
    for (int g = 0; g < 19; ++g) EXPECT_EQ(places[g], (LayoutPoint{178 + 21 * g, 500})) << g;
    EXPECT_EQ(places[18].x, 556);
    EXPECT_EQ(places[19], (LayoutPoint{10, 529}));
    EXPECT_EQ(places[20], (LayoutPoint{31, 529}));
    // Later rows hold 27 cells at this width (10 .. 556), then wrap again.
    EXPECT_EQ(places[19 + 27], (LayoutPoint{10, 558}));

    // Wide enough for all: one row. Too narrow for any: a row each, and never a cell left
    // at the first row's start.
    const PalettePlaces wide = PaletteCellPlaces(3000, 7);
    EXPECT_EQ(wide[130], (LayoutPoint{178 + 21 * 130, 7}));
    const PalettePlaces narrow = PaletteCellPlaces(20, 0);
    EXPECT_EQ(narrow[0], (LayoutPoint{10, 29}));
    EXPECT_EQ(narrow[130], (LayoutPoint{10, 29 * 131}));
}

TEST(MainWindowLayout, CanvasAndColourRowFollowTheClientSize) {
    // Three palette rows fit at 1000 x 700: the usual 145 pixels around the canvas.
    const LayoutRect canvas = CanvasRect(1100, 700, 22);
    EXPECT_EQ(canvas.x, 10);
    EXPECT_EQ(canvas.y, 30);
    EXPECT_EQ(canvas.width, 1080);
    EXPECT_EQ(canvas.height, 555);
    EXPECT_EQ(ColourRowY(555), 588);
    const LayoutRect tiny = CanvasRect(5, 100, 22);
    EXPECT_EQ(tiny.width, 0);
    EXPECT_EQ(tiny.height, 0);
    EXPECT_EQ(MainWindowSize(1920, 1080), (LayoutPoint{1728, 972}));
    EXPECT_EQ(MainWindowSize(1366, 767), (LayoutPoint{1229, 690}));

    // However many rows the width asks for, and however tall the status bar, the last palette
    // row ends above the bar: the canvas gives up the height. Where three rows and the bar fit
    // the room is the usual one.
    const struct { int width, bar, rows, space; } cases[] = {
        {1100, 22, 3, 145}, {1100, 40, 3, 155}, {905, 22, 4, 174},
        {600, 22, 6, 232},  {480, 22, 7, 261},  {3000, 22, 1, 145},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PaletteRowCount(c.width), c.rows) << c.width;
        EXPECT_EQ(SpaceAroundCanvas(c.width, c.bar), c.space) << c.width;
        const int clientHeight = 700;
        const int rowY = ColourRowY(CanvasRect(c.width, clientHeight, c.bar).height);
        const PalettePlaces places = PaletteCellPlaces(c.width, rowY);
        EXPECT_LE(places.back().y + 24, clientHeight - c.bar) << c.width;
    }
    // The smallest window still shows four canvas rows below the toolbar, with the palette.
    const LayoutPoint least = MinimumClientSize(22);
    EXPECT_EQ(CanvasRect(least.x, least.y, 22).height, 4 * 24 + 24);
    EXPECT_EQ(least, (LayoutPoint{480, 120 + 261}));
}

TEST(DrawingFilePath, TheExtensionIsForcedUnlessPresentInAnyCase) {
    EXPECT_EQ(WithArtExtension(L""), L"");
    EXPECT_EQ(WithArtExtension(L"C:\\d\\Disegno"), L"C:\\d\\Disegno.art");
    EXPECT_EQ(WithArtExtension(L"C:\\d\\Disegno.ART"), L"C:\\d\\Disegno.ART");
    EXPECT_EQ(WithArtExtension(L"C:\\d\\Disegno.aRt"), L"C:\\d\\Disegno.aRt");
    EXPECT_EQ(WithArtExtension(L"x.txt"), L"x.txt.art");
    // A path of four characters or fewer always gets the extension, even ".art" itself.
    EXPECT_EQ(WithArtExtension(L".art"), L".art.art");
    EXPECT_EQ(WithArtExtension(L"a.ar"), L"a.ar.art");
    EXPECT_EQ(WithArtExtension(L"a.art"), L"a.art");
    // Wide paths keep every character; only A-Z are lowered for the comparison.
    EXPECT_EQ(WithArtExtension(L"Z:\\\x0394\x03B9\x03BA\\\x0424.art"),
              L"Z:\\\x0394\x03B9\x03BA\\\x0424.art");
    EXPECT_EQ(WithArtExtension(L"Z:\\\x0424\x0430\x0439\x043B"),
              L"Z:\\\x0424\x0430\x0439\x043B.art");
    EXPECT_EQ(WithArtExtension(L"Z:\\x.\x0410RT"), L"Z:\\x.\x0410RT.art");
    EXPECT_EQ(WithArtExtension(L"Z:\\d\\.art"), L"Z:\\d\\.art");  // the last four characters decide
    // A picture's name says the format of its bytes: any other extension gets the chosen one.
    EXPECT_EQ(WithPictureExtension(L"C:\\d.png\\w.jpg", L".png"), L"C:\\d.png\\w.jpg.png");
    EXPECT_EQ(WithPictureExtension(L"C:\\d\\x.bMp", L".png"), L"C:\\d\\x.bMp");
    EXPECT_EQ(WithPictureExtension(L"Z:/d/.png", L".bmp"), L"Z:/d/.png.bmp");
}

// A copy comes 2 s after the last change, but typing on never holds it off past 30 s from the
// first change it does not hold; a clock that went back counts as no wait.
TEST(RecoveryTiming, AQuietMomentOrTheLongestWait) {
    const RecoveryTiming timing;
    const struct { std::uint64_t now, first; int delay; } cases[] = {
        {1000, 1000, 2000}, {20000, 1000, 2000}, {29000, 1000, 2000}, {30000, 1000, 1000},
        {31000, 1000, 0}, {90000, 1000, 0}, {500, 9000, 2000},
    };
    for (const auto& c : cases)
        EXPECT_EQ(timing.DelayAfterChange(c.now, c.first), c.delay) << c.now << " " << c.first;
}

TEST(CommandStates, FollowTheDrawing) {
    EXPECT_EQ(CommandStatesFor({}), CommandStates{});

    DocumentState fresh;
    fresh.hasDrawing = true;
    const CommandStates afterNew = CommandStatesFor(fresh);
    EXPECT_FALSE(afterNew.save);
    EXPECT_FALSE(afterNew.saveAs);
    EXPECT_TRUE(afterNew.editingTools);
    EXPECT_FALSE(afterNew.undo);
    EXPECT_TRUE(afterNew.exportPicture);

    DocumentState edited = fresh;
    edited.modified = true;
    edited.undoAvailable = true;
    const CommandStates afterEdit = CommandStatesFor(edited);
    EXPECT_TRUE(afterEdit.save);
    EXPECT_TRUE(afterEdit.undo);
    EXPECT_FALSE(afterEdit.saveAs);

    DocumentState saved = edited;
    saved.modified = false;
    saved.hasFilePath = true;
    EXPECT_FALSE(CommandStatesFor(saved).save);
    EXPECT_TRUE(CommandStatesFor(saved).saveAs);

    // Undo and paste need a drawing to act on; paste, something on the clipboard.
    DocumentState noDrawing;
    noDrawing.undoAvailable = noDrawing.pasteAvailable = true;
    EXPECT_FALSE(CommandStatesFor(noDrawing).undo);
    EXPECT_FALSE(CommandStatesFor(noDrawing).paste);
    EXPECT_FALSE(afterNew.paste);
    fresh.pasteAvailable = true;
    EXPECT_TRUE(CommandStatesFor(fresh).paste);
}

TEST(NewDrawingChoices, TypedSidesOutsideTheRangeReadAsTheSmallest) {
    EXPECT_EQ(TypedSide(L"80", SmallestSide, WidestDrawing), 80);
    EXPECT_EQ(TypedSide(L"99", SmallestSide, WidestDrawing), 10);
    EXPECT_EQ(TypedSide(L"5", SmallestSide, TallestDrawing), 10);
    EXPECT_EQ(TypedSide(L"0", SmallestSide, TallestDrawing), 10);
    EXPECT_EQ(TypedSide(L"", SmallestSide, TallestDrawing), 10);
    EXPECT_EQ(TypedSide(L"25", SmallestSide, TallestDrawing), 25);
    EXPECT_EQ(TypedSide(L"26", SmallestSide, TallestDrawing), 10);
    EXPECT_EQ(TypedSide(L"1x", SmallestSide, WidestDrawing), 10);
    EXPECT_EQ(TypedSide(L"-20", SmallestSide, WidestDrawing), 10);
    EXPECT_EQ(TypedSide(L"99999999999999999999", SmallestSide, WidestDrawing), 10);
}

TEST(NewDrawingChoices, BackgroundItemForAPair) {
    EXPECT_EQ(BackgroundChoiceFor(10), 0);
    EXPECT_EQ(BackgroundChoiceFor(9), 1);
    EXPECT_EQ(BackgroundChoiceFor(7), 3);
    EXPECT_EQ(BackgroundChoiceFor(4), 6);
    EXPECT_EQ(BackgroundChoiceFor(3), 0);
    EXPECT_EQ(BackgroundChoiceFor(-1), 0);
    EXPECT_EQ(PairOfChoiceValue("7"), 7);
    EXPECT_EQ(PairOfChoiceValue("10x"), 10);
    EXPECT_EQ(PairOfChoiceValue(""), 0);
}

TEST(ProductInfo, SiteIsAnExampleAddressWithTheHelpPageBelowIt) {
    const std::string root = SiteRoot;
    EXPECT_EQ(root.rfind("http://www.", 0), 0u);
    EXPECT_EQ(root.substr(root.size() - 8), ".example");
    EXPECT_EQ(root.find('/', 7), std::string::npos);
    EXPECT_EQ(HelpPageAddress(), root + "/Tessaly.asp");
    EXPECT_EQ(MainWindowTitle().rfind("Orv Tessaly ", 0), 0u);
    EXPECT_EQ(MainWindowTitle().find('\n'), std::string::npos);
}

TEST(StartPlace, OnAMonitorStillThereAndAsideFromARunningCopy) {
    const LayoutRect screen{0, 0, 1024, 740}, taskbarLeft{60, 0, 964, 768};
    const struct {
        const char* what;
        LayoutRect saved;
        bool onAMonitor;
        LayoutRect workArea;
        int cascade;
        LayoutRect expected;
    } cases[] = {
        {"on a monitor, partly off it: as saved", {900, 600, 400, 300}, true, screen, 0,
         {900, 600, 400, 300}},
        {"its monitor gone to the right", {2000, 100, 400, 300}, false, screen, 0,
         {624, 100, 400, 300}},
        {"gone above and left", {-3000, -500, 400, 300}, false, taskbarLeft, 0, {60, 0, 400, 300}},
        {"larger than the work area", {1500, 50, 1600, 900}, false, screen, 0, {0, 0, 1024, 740}},
        {"a running copy: one caption lower and right", {100, 50, 400, 300}, true, screen, 23,
         {123, 73, 400, 300}},
        {"a running copy at the bottom edge: the top left", {600, 440, 400, 300}, true, screen,
         23, {0, 0, 400, 300}},
        {"fitted, then aside", {-900, 100, 400, 300}, false, taskbarLeft, 23, {83, 123, 400, 300}},
    };
    for (const auto& c : cases) {
        const LayoutRect place = StartWindowRect(c.saved, c.onAMonitor, c.workArea, c.cascade);
        EXPECT_EQ((LayoutPoint{place.x, place.y}), (LayoutPoint{c.expected.x, c.expected.y})) << c.what;
        EXPECT_EQ((LayoutPoint{place.width, place.height}),
                  (LayoutPoint{c.expected.width, c.expected.height})) << c.what;
    }
}

TEST(RecentDrawings, NewestFirstEachFileOnceAtMostEight) {
    using List = std::vector<std::wstring>;
    const struct {
        List before;
        std::wstring added;
        List after;
    } cases[] = {
        {{}, L"C:\\a.art", {L"C:\\a.art"}},
        {{L"C:\\a.art", L"C:\\b.art"}, L"C:\\b.art", {L"C:\\b.art", L"C:\\a.art"}},
        // Names differing only in capitals name one file; the newest spelling stays.
        {{L"C:\\Disegni\\casa.art", L"C:\\b.art"}, L"c:\\DISEGNI\\Casa.ART",
         {L"c:\\DISEGNI\\Casa.ART", L"C:\\b.art"}},
        {{L"C:\\\u00E0\u0394\u0436.art"}, L"C:\\\u00C0\u03B4\u0416.art", {L"C:\\\u00C0\u03B4\u0416.art"}},
        {{L"C:\\\u03AC\u03C2.art"}, L"C:\\\u0386\u03A3.art", {L"C:\\\u0386\u03A3.art"}},
        // Not the same letter: both stay.
        {{L"C:\\\u00F7.art"}, L"C:\\\u00D7.art", {L"C:\\\u00D7.art", L"C:\\\u00F7.art"}},
        {{L"1", L"2", L"3", L"4", L"5", L"6", L"7", L"8"}, L"9",
         {L"9", L"1", L"2", L"3", L"4", L"5", L"6", L"7"}},
    };
    for (const auto& c : cases) EXPECT_EQ(WithRecentDrawing(c.before, c.added), c.after);
    EXPECT_EQ(WithoutDrawing({L"C:\\A.art", L"C:\\b.art"}, L"c:\\a.ART"), List{L"C:\\b.art"});
    EXPECT_EQ(RecentDrawingEntryText(0, L"C:\\Tom & Jerry.art"), L"&1 C:\\Tom && Jerry.art");
    EXPECT_EQ(RecentDrawingEntryText(7, L"x.art"), L"&8 x.art");
}

}  // namespace
}  // namespace MyApp
