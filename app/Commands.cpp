// The command panel: hover highlighting, and the dispatcher that runs a button's command by its
// command word.
#include "board/Game.h"

#include <algorithm>
#include <map>

namespace kalido {

namespace {

constexpr std::array<int, 3> DifficultyButtons = {14, 15, 16};

// The face colours are kept as text in two buttons' tags, as start-up stored them.
Colour colourOf(const std::string& tag) { return static_cast<Colour>(std::stol(tag)); }

} // namespace

void Game::MenuButx_MouseMove(int Index, int /*Button*/, int /*Shift*/, float /*X*/, float /*Y*/)
{
    if (HotButton == Index)
        return;
    // The light stays on the last button hovered until the pointer reaches another one.
    if (HotButton != -1)
        MenuButx[HotButton].FaceColor = colourOf(MenuButx[1].Tag);
    MenuButx[Index].FaceColor = colourOf(MenuButx[0].Tag);
    HotButton = Index;
    NotifyUi();
}

void Game::MenuButx_MouseDown(int Index, int /*Button*/, int /*Shift*/, float /*X*/, float /*Y*/)
{
    if (HotButton != -1)
        HotButton = Index;
}

void Game::MenuButx_MouseUp(int Index, int Button, int /*Shift*/, float /*X*/, float /*Y*/)
{
    if (HotButton == -1)
        return; // no button has been hovered yet
    HotButton = Index;
    auto latchDifficulty = [&] {
        for (int i : DifficultyButtons)
            MenuButx[i].Latched = false;
        MenuButx[Index].Latched = true;
        NotifyUi();
    };
    const std::map<std::string, std::function<void()>> commands = {
        {"About",
         [&] {
             PlaySound("click2");
             host_.forms.ShowAboutForm();
         }},
        {"First", [&] { GoToFigure(1); }},
        {"Last", [&] { GoToFigure(FigureCount); }},
        {"Left",
         [&] {
             if (CurrentFigure - 1 > 0)
                 GoToFigure(CurrentFigure - 1);
         }},
        {"Right",
         [&] {
             if (CurrentFigure + 1 < FigureCount + 1)
                 GoToFigure(CurrentFigure + 1);
         }},
        {"Random",
         [&] {
             if (Button == RightButton)
                 ShowGallery(true);
             else
                 GoToFigure(std::min(std::max(RandomFigure(), 1), FigureCount));
         }},
        {"Reset", [&] { ResetPieces(); }},
        {"Copy",
         [&] {
             CopyFigure();
             DesignMode = YesValue;
         }},
        {"Easy",
         [&] {
             latchDifficulty();
             Easy_Play();
         }},
        {"Normal",
         [&] {
             latchDifficulty();
             Normal_Play();
         }},
        {"Very easy",
         [&] {
             latchDifficulty();
             VeryEasy_Play();
         }},
        {"Help", [&] { host_.help.ShowContents(AppDir + HelpFile); }},
        {"Open new Kalido file", [&] { OpenShapesFile(); }},
        {"Append existing Kalido",
         [&] {
             PlaySound("click2");
             AppendFigure();
         }},
        {"Save Kalido file as", [&] { SaveShapesFileAs(); }},
        {"Remove existing Kalido", [&] { RemoveFigure(); }},
        {"Sound",
         [&] {
             SoundOn = SoundOn == YesValue ? NoValue : YesValue;
             MenuButx[Index].Latched = SoundOn == YesValue;
             NotifyUi();
         }},
    };
    if (const auto command = commands.find(MenuButx[Index].ToolTipText); command != commands.end())
        command->second();
    host_.forms.FocusBoard();
}

void Game::TargetKal_MouseUp(int /*Index*/, int Button, int /*Shift*/, float /*X*/, float /*Y*/)
{
    if (Button == RightButton)
        ShowGallery(false); // at the page last shown
}

void Game::GoToFigure(int n)
{
    CurrentFigure = n;
    ShowFigure();
    DesignMode = NoValue;
    ResetPieces();
}

} // namespace kalido
