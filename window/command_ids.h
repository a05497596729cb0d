#pragma once
// The ids of the main window's commands: they are the commands' identities,
// shared by the menu, the buttons, the toolbar, the spin controls and keys.

namespace quorvel::cmd {

// File
constexpr int kNewGame = 32795;
constexpr int kLoadGame = 32790;
constexpr int kSaveGame = 32791;
constexpr int kSaveGameAs = 32836;
constexpr int kPrint = 32796;
constexpr int kRecoverGame = 32798;
constexpr int kQuit = 1;
constexpr int kImportPgn = 32850;
constexpr int kExportPgn = 32851;

// Play
constexpr int kComputerFirst = 32815;
constexpr int kSideWhite = 32817;
constexpr int kSideBlack = 32818;
constexpr int kModeComputerHuman = 32820;
constexpr int kModeHumanHuman = 32822;
constexpr int kModeComputerComputer = 32821;
constexpr int kReviewLastMove = 32799;
constexpr int kCapturedPieces = 32800;
constexpr int kShowThinking = 32789;
constexpr int kStopSearch = 1033;
constexpr int kTakeBack = 1049;
constexpr int kCopyFen = 32852;
constexpr int kPasteFen = 32853;
constexpr int kSuggestMove = 32890;  // key H
constexpr int kReviewGame = 32891;

// Thinking time: eight presets, then "Définir..."
constexpr int kTimePresetFirst = 32837;
constexpr int kTimePresetLast = 32844;
constexpr int kTimeDefine = 32833;
constexpr int kEngineOptions = 32807;
constexpr int kBoxAtEveryCheck = 32860;  // "Boîte de dialogue à chaque échec"

// Level: "Niveau 1" is kLevelFirst, the next ones follow; the range leaves
// room for levels played by other engines.
constexpr int kLevelFirst = 32900;
constexpr int kLevelRoom = 20;
constexpr int kLevelCustom = kLevelFirst + kLevelRoom;  // "Personnalisé..."
constexpr int kLevelResults = kLevelCustom + 1;         // "Mes résultats..."
constexpr int kCoachWarnings = 32892;
constexpr int kCoachSettings = 32893;

// Opponents ("Adversaire"): one id per entry of each list, from its first:
// 0 is Quorvel's own engine, k the k-th engine of the list.
constexpr int kEngineRoom = 32;
constexpr int kOpponentFirst = 41100;    // "Ordinateur / Humain"
constexpr int kWhiteEngineFirst = 41200;  // "Ordinateur / Ordinateur", White
constexpr int kBlackEngineFirst = 41300;  // "Ordinateur / Ordinateur", Black
constexpr int kEngineStrength = 41001;    // "Force du moteur..."
constexpr int kAddEngine = 41002;         // "Ajouter un moteur..."
constexpr int kManageEngines = 41003;     // "Gérer les moteurs..."

// Display
constexpr int kPieceSet1 = 32805;
constexpr int kPieceSet2 = 32806;
constexpr int kPieceSet3 = 32813;
constexpr int kDarkColour = 32808;
constexpr int kLightColour = 32810;
constexpr int kBorderColour = 32811;
constexpr int kDefaultColours = 32834;
constexpr int kAlgebraic = 32825;
constexpr int kCoordinateNotation = 32826;
constexpr int kBoardCoordinates = 32828;
constexpr int kShadedPieces = 32829;
constexpr int kTurnBoard = 32812;
constexpr int kPossibleMoves = 32814;

// Help
constexpr int kHelp = 57670;
constexpr int kUpdateCheck = 32830;
constexpr int kVisitSite = 32831;
constexpr int kAbout = 1014;

// Controls and keys without a menu item
constexpr int kChangeSide = 40001;   // toolbar zone 5: the other colour, with a word
constexpr int kHistoryBack = 40002;  // up-down control 1074
constexpr int kHistoryForward = 40003;
constexpr int kScrollListBack = 40004;  // up-down control 1064 and the wheel
constexpr int kScrollListForward = 40005;

// Playing with the keyboard, and the spoken announcements
constexpr int kAnnounceMoves = 32881;   // "Annoncer les coups", a check mark
constexpr int kFocusMoveField = 40101;  // Ctrl+L: the field "Coup :"
constexpr int kPlayTypedMove = 40102;   // Enter in the field
constexpr int kSayLastMove = 40103;     // F5
constexpr int kSayClocks = 40104;       // F6
constexpr int kSayWhitePieces = 40105;  // F7
constexpr int kSayBlackPieces = 40106;  // F8

}  // namespace quorvel::cmd
