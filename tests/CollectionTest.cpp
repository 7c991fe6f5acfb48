// The file commands and the designer: what reaches the shapes file, and that nothing is ever lost.
#include "TestHost.h"

#include <QDir>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kalido;
using namespace kalido::test;

class Collection : public LoadedGame {};

// Puts a real refusal of the disk in force until the guard returned goes: a file-size limit (writes
// fail with EFBIG), a folder that takes no new files (root, whose writes pass any folder's
// permissions, then writes as nobody), or files that grant no one writing.
enum class Refusal { SizeLimit, Folder, ReadOnly };
std::shared_ptr<void> refuse(Refusal kind, const std::string& folder, const std::vector<std::string>& files)
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit low{1024, limit.rlim_max};
    if (kind == Refusal::SizeLimit && std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR)
        setrlimit(RLIMIT_FSIZE, &low);
    if (kind == Refusal::Folder && chmod(folder.c_str(), 0555) == 0 && getuid() == 0)
        seteuid(65534);
    for (const auto& file : files)
        chmod(file.c_str(), kind == Refusal::ReadOnly ? 0444 : 0644);
    return {nullptr, [=](void*) {
                setrlimit(RLIMIT_FSIZE, &limit);
                std::signal(SIGXFSZ, SIG_DFL);
                if (seteuid(getuid()) != 0 || chmod(folder.c_str(), 0700) != 0)
                    ADD_FAILURE() << "the refusal cannot be undone";
                for (const auto& file : files)
                    chmod(file.c_str(), 0644);
            }};
}

TEST_F(Collection, aWriteTheDiskRefusesLeavesEveryFileByteForByteAndSaysWhyAndPlayGoesOn)
{
    f.WriteShapes("old copy", "copy.kal");
    const std::string before = shapes();
    PlaceAsFigure(g(), 1, 40, 40); // a figure the designer takes without a question
    redraw();
    struct Case {
        Refusal refusal;
        void (Game::*command)();
        std::string pick, said, why;
    };
    const std::string tooLarge = "File too large", denied = "Permission denied", readOnly = "The file is read-only.";
    const std::string removed = "Kalido not removed:", appended = "Kalido not appended:",
                      copied = "Kalido file not copied:";
    for (const Case& c : {Case{Refusal::SizeLimit, &Game::RemoveFigure, "", removed, tooLarge},
                          Case{Refusal::SizeLimit, &Game::AppendFigure, "", appended, tooLarge},
                          Case{Refusal::SizeLimit, &Game::SaveShapesFileAs, "new.kal", copied, tooLarge},
                          Case{Refusal::SizeLimit, &Game::SaveShapesFileAs, "copy.kal", copied, tooLarge},
                          Case{Refusal::Folder, &Game::RemoveFigure, "", removed, denied},
                          Case{Refusal::Folder, &Game::SaveShapesFileAs, "new.kal", copied, denied},
                          Case{Refusal::ReadOnly, &Game::AppendFigure, "", appended, readOnly},
                          Case{Refusal::ReadOnly, &Game::SaveShapesFileAs, "copy.kal", copied, readOnly}}) {
        f.fake.dialogs.picks = {f.Path(c.pick)};
        f.fake.dialogs.answers = {MsgAnswer::Yes};
        refuse(c.refusal, f.dir.path().toStdString(), {f.Path("KALIDO.kal"), f.Path("copy.kal")}), (g().*c.command)();
        const std::string& text = f.fake.dialogs.shown.back().text;
        EXPECT_EQ(said().back() + text.substr(text.rfind('\r') + 1), c.said + c.why);
        EXPECT_TRUE(shapes() == before && *ReadWholeFile(f.Path("copy.kal")) == "old copy") << c.said << c.why;
        EXPECT_EQ(QDir(f.dir.path(), {}, QDir::Name, QDir::Files | QDir::Hidden).count(), 2u) << "nothing half-written";
        EXPECT_EQ(g().FigureCount, 3) << "the collection in play stays as it was, and play goes on";
    }
}

TEST_F(Collection, removingTakesTheFigureOnShowRenumbersTheFiguresAndKeepsRecordsNumberedZero)
{
    const std::string before = shapes();
    f.fake.dialogs.answers = {MsgAnswer::No};
    g().RemoveFigure();
    EXPECT_EQ(shapes(), before);
    const ShownMessage& question = f.fake.dialogs.shown.back();
    EXPECT_EQ(std::tuple(question.text, question.style.Buttons, question.style.DefaultButton, question.title),
              std::tuple(std::string("Remove this Kalido ( 1) ?"), MsgButtons::YesNo, 1, std::string("Kalido")));

    // A record numbered 0 is no figure: it stays as it was. A title with a comma keeps its quotes.
    const auto record = [](int n, int x) {
        return std::to_string(n) + ",0,0,0," + std::to_string(x) + ",0,0,10,0,0,20,0,0,30,0,0,40,0,0,50,0,0,60,0\r\n";
    };
    std::string head = ShapesWithRecords({});
    head.replace(head.find("\"Kalido figures\""), 16, "\"Animals, boats\"");
    f.WriteShapes(head + record(1, 5) + record(0, 6) + record(2, 7) + record(3, 8));
    g().LoadFigures();
    g().GoToFigure(2);
    f.fake.dialogs.answers = {MsgAnswer::Yes};
    g().RemoveFigure();
    EXPECT_EQ(shapes(), head + record(1, 5) + record(0, 6) + record(2, 8));
    EXPECT_EQ(g().FigX[2][0], 8) << "the figure that followed the one removed";

    // A file changed on disk since it was loaded: a removal that would not load is refused, at its line.
    std::string unloadable = record(3, 8);
    unloadable.replace(unloadable.find(",0,0,0,8"), 8, ",0,0,9,8");
    const std::string file = head + record(1, 5) + record(0, 6) + record(2, 7) + unloadable;
    f.WriteShapes(file);
    g().GoToFigure(1);
    f.fake.dialogs.answers = {MsgAnswer::Yes};
    g().RemoveFigure();
    EXPECT_EQ(shapes(), file);
    EXPECT_EQ(said().back(), "Kalido not removed:");
    EXPECT_NE(f.fake.dialogs.shown.back().text.find("Line 69: piece 0 has"), std::string::npos);
}

TEST_F(Collection, removingEveryFigureLeavesAnEmptyCollectionThatAnAppendStartsAgain)
{
    PlaceAsFigure(g(), 1, 60, 60); // the square, to append once the collection is empty
    redraw();
    f.fake.dialogs.answers = {MsgAnswer::Yes, MsgAnswer::Yes, MsgAnswer::Yes};
    for (int n = 0; n < 3; ++n)
        g().RemoveFigure();
    EXPECT_EQ(g().TarKalCaption, "Kalido (0 of 0)");
    g().RemoveFigure();
    EXPECT_EQ(f.fake.dialogs.shown.size(), 3u) << "nothing to remove, nothing to ask";
    const std::string empty = shapes();
    f.WriteShapes(empty.substr(0, empty.size() - 2)); // the last line lacks its line end
    g().AppendFigure();
    EXPECT_EQ(f.fake.dialogs.shown.back().text, "Append this Kalido to file:\n\rKALIDO.kal ?")
        << "the square hangs together and is dense";
    EXPECT_EQ(f.fake.dialogs.shown.back().style.Icon, MsgIcon::Information);
    EXPECT_EQ(shapes(), empty + "1,70,70,5,70,70,3,70,70,7,138,104,1,104,138,1,70,172,7,138,138,7,172,70\r\n")
        << "its number, its box's corner, and each piece's orientation and place on the board";
    EXPECT_EQ(g().TarKalCaption, "Kalido (1 of 1)");
    EXPECT_EQ(CountColour(g().Picture1, QBColor(14)), 0) << "no yellow box left on the board";
}

TEST_F(Collection, aCopyNeverReplacesTheFileInUseAndAsksBeforeItReplacesAnother)
{
    const std::string before = shapes();
    f.WriteShapes("old copy", "copy.kal");
    f.WriteShapes("", "empty.kal");
    QFile::link(QString::fromStdString(f.Path("KALIDO.kal")), QString::fromStdString(f.Path("link.kal")));
    struct Case {
        std::string target;
        std::deque<MsgAnswer> answers;
        std::vector<std::string> expected;
        std::string copyAfter; // what the target holds afterwards
    };
    const std::string copy = f.Path("copy.kal");
    for (const Case& c :
         {Case{"*.kal", {}, {}, "old copy"}, Case{f.Path("KALIDO.kal"), {}, {"Kalido file not copied:"}, ""},
          Case{f.Path("link.kal"), {}, {"Kalido file not copied:"}, ""},
          Case{copy, {MsgAnswer::No}, {copy}, "old copy"}, Case{copy, {MsgAnswer::Yes}, {copy, "KALIDO.kal"}, before},
          Case{f.Path("empty.kal"), {}, {"KALIDO.kal"}, ""}}) {
        f.fake.dialogs.shown.clear();
        f.fake.dialogs.picks = {c.target};
        f.fake.dialogs.answers = c.answers;
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
