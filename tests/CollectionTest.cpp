// The file commands and the designer: what reaches the shapes file, and that nothing is ever lost.
#include "TestHost.h"

#include <QDir>

using namespace kalido;
using namespace kalido::test;

class Collection : public LoadedGame {
protected:
    std::string shapes() { return *ReadWholeFile(f.Path("KALIDO.kal")); }
    // The figure records, from line 66 on.
    std::string records(const std::string& text)
    {
        std::size_t at = 0;
        for (int line = 0; line < 65; ++line)
            at = text.find("\r\n", at) + 2;
        return text.substr(at);
    }
    std::vector<std::string> said() // the messages shown so far, first lines only
    {
        std::vector<std::string> texts;
        for (const auto& m : f.fake.dialogs.shown)
            texts.push_back(m.text.substr(0, m.text.find('\n')));
        return texts;
    }
};

TEST_F(Collection, removingRenumbersTheRestAndAFailedOrDeclinedRemovalLeavesTheFileByteForByte)
{
    const std::string before = shapes();
    f.fake.dialogs.answers = {MsgAnswer::No};
    g().RemoveFigure();
    f.fake.files.failWith = "No space left on device";
    f.fake.dialogs.answers = {MsgAnswer::Yes};
    g().RemoveFigure();
    EXPECT_EQ(shapes(), before);
    EXPECT_EQ(g().FigureCount, 3);
    EXPECT_EQ(said(), (std::vector<std::string>{"Remove this Kalido ( 1) ?", "Remove this Kalido ( 1) ?",
                                                "Kalido not removed:"}));

    f.fake.files.failWith.clear();
    for (auto [current, after] : {std::pair{2, 2}, {2, 1}}) { // the middle figure, then the last one
        g().GoToFigure(current);
        f.fake.dialogs.answers = {MsgAnswer::Yes};
        g().RemoveFigure();
        EXPECT_EQ(g().CurrentFigure, after);
    }
    EXPECT_EQ(g().FigureCount, 1);

    // A record numbered 0 is not a figure, but the removal counts it and numbers it like the rest.
    // A title with a comma in it keeps its quotes.
    const auto record = [](int n, int x) {
        return std::to_string(n) + ",0,0,0," + std::to_string(x) + ",0,0,10,0,0,20,0,0,30,0,0,40,0,0,50,0,0,60,0\r\n";
    };
    std::string head = ShapesWithRecords({});
    head.replace(head.find("\"Kalido figures\""), 16, "\"Animals, boats\"");
    f.WriteShapes(head + record(1, 5) + record(0, 6) + record(2, 7) + record(3, 8));
    g().LoadFigures();
    g().GoToFigure(1);
    f.fake.dialogs.answers = {MsgAnswer::Yes};
    g().RemoveFigure();
    EXPECT_EQ(shapes(), head + record(1, 6) + record(2, 7) + record(3, 8));
    EXPECT_EQ(g().FigureCount, 3);

    // Nor may a removal leave a record that would not load as a figure.
    std::string unloadable = record(0, 6);
    unloadable.replace(unloadable.find(",0,0,0,6"), 8, ",0,0,9,6");
    const std::string file = head + record(1, 5) + unloadable + record(2, 7);
    f.WriteShapes(file);
    g().LoadFigures();
    g().GoToFigure(1);
    f.fake.dialogs.answers = {MsgAnswer::Yes};
    g().RemoveFigure();
    EXPECT_EQ(shapes(), file);
    EXPECT_EQ(said().back(), "Kalido not removed:");
}

TEST_F(Collection, anAppendedFigureIsTheLastAndRemovingItGivesBackTheFigureSection)
{
    const std::string before = records(shapes());
    f.WriteShapes(shapes().substr(0, shapes().size() - 2)); // the last line lacks its line end
    PlaceAsFigure(g(), 2, 60, 70);
    g().AppendFigure(); // every question answered OK
    ASSERT_EQ(g().FigureCount, 4);
    EXPECT_EQ(g().CurrentFigure, 4);
    EXPECT_EQ(g().TarKalCaption, "Kalido (4 of 4)");
    const std::string appended = records(shapes()).substr(before.size());
    EXPECT_EQ(appended.substr(0, 9), "4,70,80,2") << "its number, its box's corner, and piece 0";
    for (int k = 0; k < 7; ++k)
        EXPECT_EQ(g().FigX[4][k], g().FigX[2][k]) << "the same figure, wherever it lay";
    EXPECT_EQ(CountColour(g().Picture1, QBColor(14)), 0) << "no yellow box left on the board";
    f.fake.dialogs.answers = {MsgAnswer::Yes};
    g().RemoveFigure();
    EXPECT_EQ(records(shapes()), before);
}

TEST_F(Collection, removingTheOnlyFigureLeavesAnEmptyCollectionThatAnAppendStartsAgain)
{
    PlaceAsFigure(g(), 1, 60, 60); // the square, to append once the collection is empty
    redraw();
    f.fake.dialogs.answers = {MsgAnswer::Yes, MsgAnswer::Yes, MsgAnswer::Yes};
    for (int n = 0; n < 3; ++n)
        g().RemoveFigure();
    EXPECT_EQ(g().FigureCount, 0);
    EXPECT_EQ(g().TarKalCaption, "Kalido (0 of 0)");
    g().RemoveFigure();
    EXPECT_EQ(f.fake.dialogs.shown.size(), 3u) << "nothing to remove, nothing to ask";
    g().AppendFigure();
    EXPECT_EQ(f.fake.dialogs.shown.back().text, "Append this Kalido to file:\n\rKALIDO.kal ?")
        << "the square hangs together and is dense";
    EXPECT_EQ(f.fake.dialogs.shown.back().style.Icon, MsgIcon::Information);
    EXPECT_EQ(g().FigureCount, 1);
    EXPECT_EQ(g().TarKalCaption, "Kalido (1 of 1)");
}

TEST_F(Collection, aCopyNeverReplacesTheFileInUseAndAFailedCopyKeepsAnOverwrittenTarget)
{
    const std::string before = shapes();
    f.WriteShapes("old copy", "copy.kal");
    f.WriteShapes("", "empty.kal");
    QFile::link(QString::fromStdString(f.Path("KALIDO.kal")), QString::fromStdString(f.Path("link.kal")));
    struct Case {
        std::string target;
        std::deque<MsgAnswer> answers;
        std::string failure;
        std::vector<std::string> expected;
        std::string copyAfter; // what the target holds afterwards
    };
    const std::string copy = f.Path("copy.kal");
    for (const Case& c :
         {Case{"*.kal", {}, "", {}, "old copy"}, Case{f.Path("KALIDO.kal"), {}, "", {"Kalido file not copied:"}, ""},
          Case{f.Path("link.kal"), {}, "", {"Kalido file not copied:"}, ""},
          Case{copy, {MsgAnswer::No}, "", {copy}, "old copy"},
          Case{copy, {MsgAnswer::Yes}, "Permission denied", {copy, "Kalido file not copied:"}, "old copy"},
          Case{copy, {MsgAnswer::Yes}, "", {copy, "KALIDO.kal"}, before},
          Case{f.Path("empty.kal"), {}, "", {"KALIDO.kal"}, ""}}) {
        f.fake.dialogs.shown.clear();
        f.fake.dialogs.picks = {c.target};
        f.fake.dialogs.answers = c.answers;
        f.fake.files.failWith = c.failure;
        g().SaveShapesFileAs();
        EXPECT_EQ(said(), c.expected) << c.target;
        EXPECT_EQ(shapes(), before) << c.target;
        EXPECT_TRUE(c.copyAfter.empty() || *ReadWholeFile(copy) == c.copyAfter) << c.target;
    }
    EXPECT_EQ(*ReadWholeFile(f.Path("empty.kal")), before) << "an empty target is no file to ask about";
    f.fake.dialogs.picks = {copy};
    f.fake.dialogs.answers = {MsgAnswer::No};
    g().SaveShapesFileAs();
    const ShownMessage& question = f.fake.dialogs.shown.back();
    EXPECT_EQ(question.text, copy + "\n\r file already exists, overwrite?");
    EXPECT_EQ(std::tuple(question.style.Buttons, question.style.Icon, question.style.DefaultButton, question.title),
              std::tuple(MsgButtons::YesNo, MsgIcon::Exclamation, 1, std::string("Kalido")));
}

TEST_F(Collection, openingReplacesTheCollectionOrSaysWhyNotAndKeepsTheOneInUse)
{
    std::vector<std::string> many(501, "1,60,60,0,60,60,0,70,60,0,80,60,0,90,60,0,100,60,0,110,60,0,120,60");
    f.WriteShapes(ShapesWithRecords(many), "many.kal");
    f.WriteShapes(ShapesWithRecords({"1,60,60,0,x"}), "broken.kal");
    for (const std::string name : {"many.kal", "broken.kal", "missing.kal"}) {
        f.fake.dialogs.picks = {f.Path(name)};
        g().OpenShapesFile();
        EXPECT_EQ(said().back(), "Kalido shapes file cannot be opened:") << name;
        EXPECT_EQ(g().FigureCount, 3) << name;
        EXPECT_EQ(g().ShapesFile, "KALIDO.kal") << name;
        EXPECT_TRUE(g().Picture1Enabled) << name;
    }
    EXPECT_EQ(f.fake.process.ends, 0);
    many.resize(2);
    f.WriteShapes(ShapesWithRecords(many), "two.kal");
    g().PieceX[3] += 30;
    const auto pieces = g().PieceX;
    f.fake.dialogs.picks = {f.Path("two.kal")};
    f.fake.chance.draws = {0.6};
    g().OpenShapesFile();
    EXPECT_EQ(g().ShapesFile, f.Path("two.kal"));
    EXPECT_EQ(g().TarKalCaption, "Kalido (2 of 2)");
    EXPECT_EQ(g().PieceX, pieces) << "the pieces stay where they were";
    EXPECT_TRUE(g().Picture1Enabled);
}
