// The file commands: open another shapes file, save a copy of this one, remove the current figure.
// None of them ever loses a player's figures: a file that cannot be read or written is reported,
// and what was there stays as it was.
#include "board/Game.h"
#include "platform/SequentialFile.h"

#include <filesystem>

namespace kalido {

namespace {

constexpr const char* Filter = "*.kal";

} // namespace

void Game::OpenShapesFile()
{
    PlaySound("click2");
    const std::string chosen = host_.dialogs.ShowFileDialog(FileDialogMode::Open, Filter, Filter);
    if (chosen == Filter)
        return; // cancelled
    SetPicture1Enabled(false);
    PlaySound("shsh-dot");
    // A file that cannot be used is reported, and play goes on with the file and figures in use.
    FigureLoad load = ReadFigures(FullPath(chosen));
    if (!load.figures) {
        host_.dialogs.MsgBox("Kalido shapes file cannot be opened:" + CrLf + chosen + CrLf + load.problem,
                             MsgStyle(MsgButtons::Ok, MsgIcon::Exclamation), AppTitle);
        SetPicture1Enabled(true);
        return;
    }
    ShapesFile = chosen;
    static_cast<FigureCollection&>(*this) = *load.figures;
    CurrentFigure = RandomFigure();
    ShowFigure();
    CheckAllPiecesPlaced();
    SetPicture1Enabled(true);
}

void Game::SaveShapesFileAs()
{
    PlaySound("click2");
    const std::string chosen = host_.dialogs.ShowFileDialog(FileDialogMode::Save, Filter, Filter);
    if (chosen == Filter)
        return;
    auto notCopied = [&](const std::string& why) {
        host_.dialogs.MsgBox("Kalido file not copied:" + CrLf + chosen + CrLf + why,
                             MsgStyle(MsgButtons::Ok, MsgIcon::Exclamation), AppTitle);
    };
    std::error_code error;
    if (std::filesystem::equivalent(FullPath(ShapesFile), FullPath(chosen), error)) {
        notCopied("It is the file in use: choose another name.");
        return;
    }
    if (FileExists(chosen) >= 1 &&
        host_.dialogs.MsgBox(chosen + CrLf + " file already exists, overwrite?",
                             MsgStyle(MsgButtons::YesNo, MsgIcon::Exclamation, 1), "Zuzuzaz") != MsgAnswer::Yes)
        return;
    // The copy is complete before it takes the target's place, so a failed copy loses nothing.
    const auto content = ReadWholeFile(FullPath(ShapesFile));
    if (!content) {
        notCopied("The file in use cannot be read.");
        return;
    }
    if (const std::string why = host_.files.Replace(FullPath(chosen), *content); !why.empty()) {
        notCopied(why);
        return;
    }
    host_.dialogs.MsgBox(ShapesFile + CrLf + "copied as:" + CrLf + chosen, MsgButtons::Ok, AppTitle);
}

void Game::RemoveFigure()
{
    if (FigureCount == 0)
        return; // nothing to remove
    if (host_.dialogs.MsgBox("Remove this Kalido (" + Str(CurrentFigure) + ") ?", MsgButtons::YesNo, "Zuzuzaz") !=
        MsgAnswer::Yes)
        return;
    // The shorter file is written in full beside the old one and then takes its place in one step.
    auto notRemoved = [&](const std::string& why) {
        host_.dialogs.MsgBox("Kalido not removed:" + CrLf + FullPath(ShapesFile) + CrLf + why,
                             MsgStyle(MsgButtons::Ok, MsgIcon::Exclamation), AppTitle);
    };
    const auto file = SequentialFile::Open(FullPath(ShapesFile));
    if (!file) {
        notRemoved("The file cannot be read.");
        return;
    }
    std::string shorter;
    try {
        SequentialFile reading = *file;
        shorter = WithoutRecord(reading, CurrentFigure);
    } catch (const ReadError& error) {
        notRemoved(ReadProblem(error));
        return;
    }
    if (const std::string why = host_.files.Replace(FullPath(ShapesFile), shorter); !why.empty()) {
        notRemoved(why);
        return;
    }
    if (FigureCount == CurrentFigure)
        --CurrentFigure; // the new last figure
    LoadFigures();
    ShowFigure();
    CheckAllPiecesPlaced();
    DrawBoard();
}

} // namespace kalido
