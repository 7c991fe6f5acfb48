// The command panel: hover highlighting, and the dispatcher that runs a button's command by its
// command word.
#include "board/Game.h"

#include <algorithm>

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
    // A drag whose release never reached the board ends where it began: the commands lay out,
    // measure or store the pieces, and a lifted piece's place holds only its offset from the pointer.
    EndDragInPlace();
    if (const auto command = Commands().find(MenuButx[Index].ToolTipText); command != Commands().end())
        command->second(*this, Index, Button);
    host_.forms.FocusBoard();
}

// Each command word with what it does, in order.
const std::map<std::string, Game::Command>& Game::Commands()
{
    static const std::map<std::string, Command> commands = {
        {"About",
         [](Game& g, int, int) {
             g.PlaySound("click2");
             g.host_.forms.ShowAboutForm();
         }},
        {"First", [](Game& g, int, int) { g.GoToFigure(1); }},
        {"Last", [](Game& g, int, int) { g.GoToFigure(g.FigureCount); }},
        {"Left",
         [](Game& g, int, int) {
             if (g.CurrentFigure - 1 > 0)
                 g.GoToFigure(g.CurrentFigure - 1);
         }},
        {"Right",
         [](Game& g, int, int) {
             if (g.CurrentFigure + 1 < g.FigureCount + 1)
                 g.GoToFigure(g.CurrentFigure + 1);
         }},
        {"Random",
         [](Game& g, int, int button) {
             if (button == RightButton)
                 g.ShowGallery(true);
             else
                 g.GoToFigure(std::min(std::max(g.RandomFigure(), 1), g.FigureCount));
         }},
        {"Reset", [](Game& g, int, int) { g.ResetPieces(); }},
        {"Copy",
         [](Game& g, int, int) {
             g.CopyFigure();
             g.DesignMode = g.YesValue;
         }},
        {"Easy",
         [](Game& g, int index, int) {
             g.LatchDifficulty(index);
             g.Easy_Play();
         }},
        {"Normal",
         [](Game& g, int index, int) {
             g.LatchDifficulty(index);
             g.Normal_Play();
         }},
        {"Very easy",
         [](Game& g, int index, int) {
             g.LatchDifficulty(index);
             g.VeryEasy_Play();
         }},
        {"Help", [](Game& g, int, int) { g.host_.help.ShowContents(g.AppDir + HelpFile); }},
        {"Open new Kalido file", [](Game& g, int, int) { g.OpenShapesFile(); }},
        {"Append existing Kalido",
         [](Game& g, int, int) {
             g.PlaySound("click2");
             g.AppendFigure();
         }},
        {"Save Kalido file as", [](Game& g, int, int) { g.SaveShapesFileAs(); }},
        {"Remove existing Kalido", [](Game& g, int, int) { g.RemoveFigure(); }},
        {"Sound",
         [](Game& g, int index, int) {
             g.SoundOn = g.SoundOn == g.YesValue ? g.NoValue : g.YesValue;
             g.MenuButx[index].Latched = g.SoundOn == g.YesValue;
             g.NotifyUi();
         }},
    };
    return commands;
}

// The difficulty buttons act as a group: the chosen one is latched, even when its level is in force.
void Game::LatchDifficulty(int index)
{
    for (int i : DifficultyButtons)
        MenuButx[i].Latched = false;
    MenuButx[index].Latched = true;
    NotifyUi();
}

void Game::TargetKal_MouseUp(int /*Index*/, int Button, int /*Shift*/, float /*X*/, float /*Y*/)
{
    if (Button != RightButton)
        return;
    EndDragInPlace();   // as for a command: a pick lays the pieces out
    ShowGallery(false); // at the page last shown
    host_.forms.FocusBoard();
}

void Game::GoToFigure(int n)
{
    CurrentFigure = n;
    ShowFigure();
    DesignMode = NoValue;
    ResetPieces();
}

} // namespace kalido
