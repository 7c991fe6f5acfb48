// The game: every piece of state the windows share, and the procedures that work on it.
#pragma once

#include "board/Difficulty.h"
#include "board/PieceModel.h"
#include "collection/FigureCollection.h"
#include "platform/Colour.h"
#include "platform/Host.h"
#include "platform/SequentialFile.h"
#include "platform/Surface.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kalido {

inline constexpr int NoPiece = -1;

// Mouse buttons and modifier masks as the event procedures receive them.
inline constexpr int LeftButton = 1, RightButton = 2, MiddleButton = 4;
inline constexpr int ShiftMask = 1, CtrlMask = 2, AltMask = 4;
// Key codes of the board's keys.
inline constexpr int KeyTab = 9, KeyEscape = 27, KeyLeft = 37, KeyUp = 38, KeyRight = 39, KeyDown = 40;
inline constexpr int KeyPad2 = 98, KeyPad4 = 100, KeyPad6 = 102, KeyPad8 = 104;

// The gallery's page: 8 x 8 squares of 720 twips.
inline constexpr int GalleryPitch = 720, GalleryRows = 8, GalleryColumns = 8;

// One command button of the frame's panel, as the game sees it: its command word (which is
// also its tooltip), the text it keeps, its face colour and whether it is latched down.
struct MenuButton {
    std::string ToolTipText;
    std::string Tag;
    Colour FaceColor = 0;
    bool Latched = false;
};
inline constexpr int MenuButtonCount = 17;

// Board size in pixels, and the bounds a dropped piece's reference point must keep.
inline constexpr int BoardWidth = 350, BoardHeight = 390;
inline constexpr int DropMinX = 20, DropMinY = 20, DropMaxX = 330, DropMaxY = 365;

class Game : public PieceModel, public FigureCollection {
public:
    explicit Game(Host& host);
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    static constexpr const char* AppTitle = "Kalido";
    static constexpr const char* QuestionTitle = AppTitle; // of the collection's questions and warnings
    static constexpr const char* DefaultShapesFile = "KALIDO.kal";
    // The help is HTML, which the platform's help viewer shows; the file lies beside the shapes file.
    static constexpr const char* HelpFile = "kalido.html";

    // --- Module state set up at start-up
    std::string AppDir;
    std::string CrLf = "\n\r";
    std::int16_t YesValue = 1;
    std::int16_t NoValue = 0;
    float ScaleX = 1, ScaleY = 1;
    std::string ShapesFile = DefaultShapesFile;
    int SelectedPiece = NoPiece;
    std::int16_t Difficulty = NormalLevel;
    std::int16_t DesignMode = 0;
    std::int16_t SoundOn = 0;
    PerPiece<Colour> PieceColor{};
    PerPiece<int> PieceQBColor{};
    Colour BoardBackColor = QBColor(7);
    Colour DragLineColor = QBColor(15);
    Colour FigureColor = QBColor(0);
    int CurrentFigure = 1;
    int HotButton = -1;
    std::int16_t FrameWidth = 0, FrameHeight = 0; // the frame window's outer size in twips

    // --- Drawing scratch, shared by the drawing and the board handlers
    int DrawX = 0, DrawY = 0, CurOrient = 0;
    std::array<PolyPoint, 11> PiecePoly{};

    // --- Board interaction
    std::int16_t DragFirstMove = 0;
    float DragStartX = 0, DragStartY = 0;
    PerPiece<int> DragFromX{}, DragFromY{};
    int DragAnchorX = 0, DragAnchorY = 0;
    float LastMouseX = 0;
    std::int16_t LastMouseY = 0;
    std::array<PolyPoint, 11> DragPoly{};
    std::int16_t KeyPiece = 0;
    // A drag step repaints only the pieces under the erased outline, and only on the board; off,
    // it repaints every other piece into both images. The pixels are the same either way.
    bool RepairOnlyWhatMoved = true;

    // --- The command panel
    std::array<MenuButton, MenuButtonCount> MenuButx{};

    // --- The gallery window: its page of thumbnails, scroll bar and figure-number label
    Surface AllShapesPicture;
    std::int16_t GalleryOffset = 0; // the figures before the page's first square
    bool GalleryShown = false;
    bool VScroll1Enabled = false;
    int VScroll1Max = 0, VScroll1Value = 0;
    std::string Label1Caption;
    int Label1X = 0, Label1Y = 0; // pixels

    // --- The designer: the arrangement's bounding box and which pieces touch which
    int BoxLeft = 9999, BoxTop = 9999, BoxRight = -1, BoxBottom = -1;
    PerPiece<std::vector<int>> TouchList{};

    // --- Recognition
    std::int16_t FigureSolved = 0;
    int PositionTolerance = 15;

    // --- What the windows show. Picture1 is the board image the player sees; HitImage is the
    // board window's hidden surface, where each piece is painted in its key colour.
    Surface Picture1;
    Surface HitImage;
    std::array<Surface, 2> TargetKal;       // 0: the hidden drawing buffer, 1: the target view
    std::string FormMainCaption = AppTitle; // until start-up names the shapes file
    std::string TarKalCaption = "Frame1";
    std::string PStandardCaption;
    bool Picture1Enabled = true;
    // Called whenever a caption or the board's enabled state changes.
    std::function<void()> OnUiChanged;

    // --- Start-up and shutdown
    // Returns false when the program must end: the shapes file is missing or unusable.
    bool Form_Load();
    void Form_Unload();
    void MDIForm_Unload();

    // --- The command panel and its commands
    void MenuButx_MouseMove(int Index, int Button, int Shift, float X, float Y);
    void MenuButx_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void MenuButx_MouseUp(int Index, int Button, int Shift, float X, float Y);
    void TargetKal_MouseUp(int Index, int Button, int Shift, float X, float Y);
    void GoToFigure(int n);
    void Normal_Play();
    void Easy_Play();
    void VeryEasy_Play();
    void ShowGallery(bool firstPage);
    void DrawGalleryPage();
    void AllShapes_Activate();
    void VScroll1_Change(int value);
    // Mouse positions in twips, as the gallery window measures.
    void AllShapes_MouseMove(int Button, int Shift, float X, float Y);
    void AllShapes_MouseUp(int Button, int Shift, float X, float Y);
    void Label1_MouseUp(int Button, int Shift, float X, float Y);
    void AllShapes_KeyDown(int KeyCode, int Shift);
    void HideGallery();
    // The file commands and the designer.
    void OpenShapesFile();
    void SaveShapesFileAs();
    void RemoveFigure();
    void AppendFigure();
    // -1 when the pieces hang together; the lowest piece that touches nothing; or -99 when every
    // piece touches another but they fall into groups.
    std::int16_t FindIsolation();
    std::vector<int> TouchingPieces(int i) const;
    std::vector<int> ExpandReach(const std::vector<int>& reach) const;
    int CoveragePercent(int left, int top, int right, int bottom) const;

    // --- Shapes file
    enum class LoadResult { Loaded, Failed, Ended };
    bool LoadPieceShapes();
    LoadResult LoadFigures();
    std::int32_t FileExists(const std::string& name) const;
    std::string FullPath(const std::string& name) const;

    // --- Drawing and hit testing
    void SetPieceBrush(int i);
    void BuildPiecePoly(int i, std::array<PolyPoint, 11>& poly);
    // The five outline points of piece i in orientation o with its reference point at (x, y).
    std::array<PolyPoint, 11> PieceOutline(int i, int o, int x, int y) const;
    void DrawPiece(int i);
    void DrawBoard();
    // The box that holds every pixel of a piece's outline or fill drawn from poly's four points.
    static QRect OutlineBox(const std::array<PolyPoint, 11>& poly);
    // DrawBoard on the board image alone and within box, during a drag.
    void RepairBoard(Surface::Painting& painting, const QRect& box);
    // Every piece but the selected one, in index order, into the board (and the hit-test image);
    // with a box, only the pieces whose outline reaches into it.
    void PaintPieces(bool hitImageToo, const QRect& within);
    int HitTest(float X, float Y) const; // the piece whose key colour lies under (X, Y), or NoPiece

    // --- Board interaction
    void Picture1_MouseDown(int Button, int Shift, float X, float Y);
    void Picture1_MouseMove(int Button, int Shift, float X, float Y);
    void Picture1_MouseUp(int Button, int Shift, float X, float Y);
    void Picture1_KeyDown(int KeyCode, int Shift);
    void TurnPiece(int n);
    // Ends a press or drag without a drop: a lifted piece goes back where its drag began.
    void EndDragInPlace();

    // --- Figures, recognition, restart
    void ShowFigure();
    void CheckPiecePlaced(int i); // the Placed flags of piece i and its twin; never completes a figure
    // The flags of all seven pieces, after anything but a turn has changed orientations.
    void CheckAllPiecesPlaced();
    void CheckSolved();
    // After a player's drop or turn: when the arrangement is the figure, applaud, congratulate
    // and move on to a random figure. True when it did.
    bool CheckSolvedAfterMove();
    void ResetPieces();
    void CopyFigure();
    void PlaySound(const std::string& name);
    int RandomFigure(); // 1..FigureCount, reseeded from the time of day

    void SetPicture1Enabled(bool enabled);

private:
    using Command = void (*)(Game& game, int Index, int Button);
    static const std::map<std::string, Command>& Commands();
    void LatchDifficulty(int index);
    void NotifyUi();
    std::optional<SequentialFile> ReadShapesFile(); // shows why when it cannot
    // The figure section of a shapes file, or what is wrong with the file.
    struct FigureLoad {
        std::unique_ptr<FigureCollection> figures;
        std::string problem;
        bool tooMany = false;
    };
    FigureLoad ReadFigures(const std::string& path) const;
    static std::string ReadProblem(const ReadError& error);
    void ShowFileProblem(const std::string& problem);
    // "<what>:", the file, and why: a file command that could not be done.
    void ReportNotDone(const std::string& what, const std::string& path, const std::string& why);
    void ErasePolygon(Surface& surface, const std::array<PolyPoint, 11>& poly);
    void PaintHitPolygon(int i, const std::array<PolyPoint, 11>& poly);
    void Drop(int p, float X, float Y);
    void Click(float X, float Y);
    void TwinRule(int a, int b);

    Host& host_;
};

} // namespace kalido
