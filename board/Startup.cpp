// Start-up and shutdown of the game.
#include "board/Game.h"

#include "platform/SequentialFile.h"

#include <filesystem>

namespace kalido {

namespace {

constexpr char Separator = static_cast<char>(std::filesystem::path::preferred_separator);

// Key colours of the pieces in the hit-test image, as palette indexes.
constexpr PerPiece<int> PieceQBColors = {5, 14, 2, 9, 4, 11, 12};

} // namespace

std::string Game::FullPath(const std::string& name) const
{
    return std::filesystem::path(name).is_absolute() ? name : AppDir + name;
}

bool Game::Form_Load()
{
    AppDir = host_.process.CurrentDirectory();
    if (AppDir.empty() || AppDir.back() != Separator)
        AppDir += Separator;
    CrLf = "\n\r";
    YesValue = 1;
    NoValue = 0;
    ScaleX = 15 / host_.screen.TwipsPerPixelX();
    ScaleY = 15 / host_.screen.TwipsPerPixelY();
    ShapesFile = DefaultShapesFile;

    if (FileExists(ShapesFile) == NoValue) {
        host_.dialogs.MsgBox("Kalido shapes file not found:" + CrLf + ShapesFile, MsgButtons::Ok, AppTitle);
        return false;
    }
    PStandardCaption = "Play difficulty: NORMAL";
    if (!LoadPieceShapes())
        return false;

    SelectedPiece = NoPiece;
    Difficulty = NormalLevel;
    DesignMode = NoValue;
    SoundOn = NoValue;
    for (int i = 0; i < PieceCount; ++i) {
        PieceQBColor[i] = PieceQBColors[i];
        PieceColor[i] = QBColor(PieceQBColors[i]);
    }
    BoardBackColor = Picture1.BackColor;
    DragLineColor = QBColor(15);
    FigureColor = QBColor(0);
    OriginX = 10;
    OriginY = 10;

    if (LoadFigures() != LoadResult::Loaded)
        return false;
    CurrentFigure = RandomFigure();
    ShowFigure();
    // The panel keeps its two face colours as text: the normal face in button 1, the hover
    // colour in button 0.
    HotButton = -1;
    MenuButx[1].Tag = Str(MenuButx[0].FaceColor);
    MenuButx[0].Tag = Str(QBColor(7));
    CheckAllPiecesPlaced();
    DrawBoard();
    NotifyUi();
    return true;
}

bool Game::LoadPieceShapes()
{
    auto file = ReadShapesFile();
    if (!file)
        return false;
    try {
        ReadPieceShapes(*file, *this);
    } catch (const ReadError& error) {
        ShowFileProblem(ReadProblem(error));
        return false;
    }
    return true;
}

void Game::Form_Unload()
{
    host_.media.SendString("close all");
    PlaySound("thank");
    host_.process.End();
}

void Game::MDIForm_Unload()
{
    host_.media.SendString("close all");
    // Unloading the board window ends the program.
    Form_Unload();
}

} // namespace kalido
