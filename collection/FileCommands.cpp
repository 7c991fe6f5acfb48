// The file commands: open another shapes file, save a copy of this one, remove the current figure.
// None of them ever loses a player's figures: a file that cannot be read or written is reported,
// and what was there stays as it was.
#include "board/Game.h"
#include "platform/SequentialFile.h"

#include <filesystem>

namespace kalido {

namespace {

constexpr const char* Filter = "*.kal";

// The file chosen in the dialog, or nothing when the name is a pattern rather than a file: the
// dialog's own "*.kal", which also comes back when it is cancelled, or any other.
std::string choice(const std::string& answer)
{
    const bool pattern = std::filesystem::path(answer).filename().string().find_first_of("*?") != std::string::npos;
    return pattern ? std::string() : answer;
}

} // namespace

void Game::OpenShapesFile()
{
    PlaySound("click2");
    const std::string chosen = choice(host_.dialogs.ShowFileDialog(FileDialogMode::Open, Filter, Filter));
    if (chosen.empty())
        return; // cancelled
    SetPicture1Enabled(false);
    PlaySound("shsh-dot");
    // A file that cannot be used is reported, and play goes on with the file and figures in use.
    FigureLoad load = ReadFigures(FullPath(chosen));
    if (!load.figures) {
        ReportNotDone("Kalido shapes file cannot be opened", chosen, load.problem);
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
    std::string chosen = choice(host_.dialogs.ShowFileDialog(FileDialogMode::Save, Filter, Filter));
    if (chosen.empty())
        return;
    if (std::filesystem::path(chosen).extension().empty())
        chosen += ".kal"; // a copy is a shapes file
    auto notCopied = [&](const std::string& why) { ReportNotDone("Kalido file not copied", chosen, why); };
    std::error_code error;
    if (std::filesystem::equivalent(FullPath(ShapesFile), FullPath(chosen), error)) {
        notCopied("It is the file in use: choose another name.");
        return;
    }
    // Asked whenever there is something to lose, also when this user may not read it.
    const bool exists = std::filesystem::exists(FullPath(chosen), error) &&
                        std::filesystem::file_size(FullPath(chosen), error) > 0 && !error;
    if (exists &&
        host_.dialogs.MsgBox(chosen + CrLf + " file already exists, overwrite?",
                             MsgStyle(MsgButtons::YesNo, MsgIcon::Exclamation, 1), QuestionTitle) != MsgAnswer::Yes)
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
    // An empty collection has nothing to remove (and no figure number to ask about).
    if (FigureCount == 0)
        return;
    // No is the default: a removal cannot be undone.
    if (host_.dialogs.MsgBox("Remove this Kalido (" + Str(CurrentFigure) + ") ?",
                             MsgStyle(MsgButtons::YesNo, MsgIcon::None, 1), QuestionTitle) != MsgAnswer::Yes)
        return;
    auto notRemoved = [&](const std::string& why) { ReportNotDone("Kalido not removed", FullPath(ShapesFile), why); };
    auto file = SequentialFile::Open(FullPath(ShapesFile));
    if (!file) {
        notRemoved("The file cannot be read.");
        return;
    }
    // The shorter file is made whole, and checked to load, before it takes the old one's place.
    std::string shorter;
    try {
        shorter = WithoutRecord(*file, CurrentFigure);
        SequentialFile again(shorter);
        FigureCollection check;
        ReadFigureSection(again, check);
    } catch (const ReadError& error) {
        notRemoved(ReadProblem(error));
        return;
    } catch (const TooManyFigures&) {
        notRemoved("Without it the file would hold more than " + std::to_string(MaxFigures) + " figures.");
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

void Game::ReportNotDone(const std::string& what, const std::string& path, const std::string& why)
{
    host_.dialogs.MsgBox(what + ":" + CrLf + path + CrLf + why, MsgStyle(MsgButtons::Ok, MsgIcon::Exclamation),
                         AppTitle);
}

} // namespace kalido
