#pragma once

#include "channels/channel_table.h"
#include "settings/radio_settings.h"

#include <array>

namespace vrx {

inline constexpr int kFirstPackId = 1;
// The highest id a pack may hold; ids in use are listed in kPackIdBlocks.
inline constexpr int kLastPackId = 599;

// Ids in use, a block for each area so that areas grow without renumbering each
// other: 1-120 the windows and cell messages; 121-139 input, 140-159 transfers and
// files, 160-189 backups and recovery, 190-239 editing, 240-269 interchange and
// printing, 270-299 ports and installation, 300-329 the plan as a document, 330-359
// typing and backups at the desk, 360-379 damaged input, 380-399 stopped and partial
// transfers, 400-429 programming several radios, 430-499 the connection doctor,
// 500-579 accessible names and descriptions.
struct PackIdBlock {
    int first;
    int last;
};
inline constexpr std::array kPackIdBlocks = {
    PackIdBlock{1, 120},
    PackIdBlock{140, 142},
    PackIdBlock{160, 182},
    PackIdBlock{190, 239},
    PackIdBlock{240, 269},
    PackIdBlock{270, 296},
    PackIdBlock{300, 312},
    PackIdBlock{330, 352},
    PackIdBlock{360, 365},
    PackIdBlock{380, 392},
    PackIdBlock{400, 429},
    PackIdBlock{430, 489},
    PackIdBlock{500, 520},
};

inline constexpr bool isPackIdInUse(int id) {
    for (const PackIdBlock &block : kPackIdBlocks) {
        if (id >= block.first && id <= block.last)
            return true;
    }
    return false;
}

inline constexpr int packIdsInUse() {
    int count = 0;
    for (const PackIdBlock &block : kPackIdBlocks)
        count += block.last - block.first + 1;
    return count;
}

// The ids of a language pack, named by what each text is shown on. Where several
// places share one text (85, 86, 97, 105, 28) the name says the first; the comment
// lists the others.
enum class PackId : int {
    // Main window frame
    StatusText = 1,
    LinkRead = 2,
    LinkWrite = 3,
    LinkExit = 4,
    PortBoxTitle = 5,

    // Main menu
    MenuFile = 6,
    MenuNew = 7,
    MenuOpen = 8,
    MenuSave = 9,
    MenuExit = 10,
    MenuEdit = 11,
    MenuRead = 12,
    MenuWrite = 13,
    MenuChannelEdit = 14,
    MenuFunctions = 15,
    MenuOtherFunctions = 16,
    MenuOptions = 17,
    MenuPort = 18,
    MenuSkin = 19,
    MenuSkin1 = 20,
    MenuSkin2 = 21,
    MenuSkin3 = 22,
    MenuLanguage = 23,
    MenuChinese = 24,
    MenuEnglish = 25,
    MenuHelp = 26,
    MenuHelpContents = 27,
    MenuAbout = 28, // also the about dialog's title

    // Tool bar
    ToolFileTitle = 29,
    ToolNew = 30,
    ToolOpen = 31,
    ToolSave = 32,
    ToolEditTitle = 33,
    ToolRead = 34,
    ToolWrite = 35,
    ToolChannelPage = 36,
    ToolOptionsPage = 37,
    ToolExitTitle = 38,
    ToolExit = 39,

    // Channel page
    ChannelTab = 40,
    AutoFillButton = 41,
    ClearChannelsButton = 42,
    ChannelUpButton = 43,
    ChannelDownButton = 44,
    DeleteChannelButton = 45,
    HeaderNumber = 46, // grid headers, columns 0..8: see headerId()
    HeaderRxFreq = 47,
    HeaderRxTone = 48,
    HeaderTxFreq = 49,
    HeaderTxTone = 50,
    HeaderPower = 51,
    HeaderBandwidth = 52,
    HeaderScan = 53,
    HeaderBusyLock = 54,

    // Value words (the UiTexts slots)
    OffText = 55,
    OnText = 56,
    HighText = 57,
    LowText = 58,
    WideText = 59,
    NarrowText = 60,

    // Function options page; labels of the options: see optionLabelId()
    OptionsTab = 61,
    LabelApo = 62,
    LabelBeep = 63,
    LabelBatSave = 64,
    LabelScanKind = 65,
    LabelScramble = 66,
    LabelVfoMr = 67,
    LabelMrDisplay = 68,
    LabelSquelch = 69,
    LabelVoxControl = 70,
    LabelTxTimeout = 71,
    LabelKeySwitch = 72,
    LabelSwitchUp = 73,
    LabelDownFreq = 74,
    LabelSpreadFreq = 75,
    LabelBand = 76, // also the word of the band list's entries
    LabelFreqStep = 77,
    LabelTxLight = 78,
    LabelRxLight = 79,
    LabelBroadBand = 80,
    MinuteUnit = 81, // unit word of the time-out list's entries

    // Other functions page
    OtherTab = 82,
    Band1BoxTitle = 83,
    Band2BoxTitle = 84,
    ReceiveLabel = 85,  // both band boxes
    TransmitLabel = 86, // both band boxes
    PowerBoxTitle = 87,
    LabelHighDrive = 88,
    LabelLowDrive1 = 89,
    LabelLowDrive2 = 90,
    AgingButton = 91,
    ReadDriveButton = 92,
    DefaultDriveButton = 93,
    WriteDriveButton = 94,

    // Dialogs and messages
    CaptionRead = 95,
    CaptionWrite = 96,
    CancelButton = 97, // warning dialog's cancel, transfer dialog's close
    TransferStatusText = 98,
    AboutProductLine = 99,
    AboutVersionLine = 100,
    AboutRightsLine = 101,
    AboutCompanyLine = 102,
    MsgFailureTitle = 103,
    MsgNoResponse = 104,
    OkButton = 105, // transfer dialog's start, warning dialog's confirm, about dialog's button
    MsgPortOpenFailed = 106,
    Unused = 107, // a pack may hold it; nothing shows it
    MsgConfirmTitle = 108,
    MsgConfirmNew = 109,
    MsgConfirmClear = 110,

    // LED colours: entries 1..8 of both LED lists, see ledColourId()
    LedColour1 = 111,
    LedColour8 = 118,

    // Messages added after the LED colours, so that the older ids keep their numbers
    MsgInvalidFrequency = 119,
    MsgCannotWriteCell = 120,

    // Notices after a transfer that succeeded without a lenient step
    MsgNoticeTitle = 140,
    MsgSettingsNotRead = 141,
    MsgTailNotWritten = 142,
    // Backups, verified writes, plan comparison and recovery
    MenuBackups = 160,
    MenuCompareWithFile = 161,
    CheckBackupFirst = 162,
    CheckVerifyAfterWrite = 163,
    PhaseBackingUp = 164,
    PhaseWriting = 165,
    PhaseVerifying = 166,
    StatusVerified = 167,
    MsgVerifyDifferent = 168,
    MsgVerifyReadFailed = 169,
    MsgBackupFailed = 170,
    MsgBackupFirstFailed = 171,
    CompareTitle = 172,
    CompareWhat = 173,
    CompareThisPlan = 174,
    CompareTheFile = 175,
    MsgPlansEqual = 176,
    RestoreTitle = 177,
    MsgRestoreQuestion = 178,
    RestoreButton = 179,
    KeepAsideButton = 180,
    MsgAutosaveFailed = 181,
    MsgAutosaveUnreadable = 182,
    // Editing commands: undo/redo, selection, clipboard, insert/delete, sort, find, bulk
    // edits. MenuUndo/MenuRedo hold %1 for the step's name (StepEditCell...StepBulkEdit,
    // StepMoveChannels).
    MenuUndo = 190,
    MenuRedo = 191,
    MenuSelectAll = 192,
    MenuCopy = 193,
    MenuCut = 194,
    MenuPaste = 195,
    MenuInsertChannel = 196,
    MenuDeleteShiftUp = 197,
    MenuSortByRxFreq = 198,
    MenuFind = 199,
    MenuFindNext = 200,
    MenuBulkEdit = 201,
    BulkSetPower = 202,
    BulkSetBandwidth = 203,
    BulkSetScan = 204,
    BulkSetBusyLock = 205,
    BulkSetRxTone = 206,
    BulkSetTxTone = 207,
    BulkSetBothTones = 208,
    BulkTxEqualsRx = 209,
    BulkShiftFrequencies = 210,
    BulkShiftPrompt = 211,
    BulkTonePrompt = 212,
    StepEditCell = 213,
    StepToggle = 214,
    StepTone = 215,
    StepMoveUp = 216,
    StepMoveDown = 217,
    StepDeleteChannel = 218,
    StepAutoFill = 219,
    StepClearChannels = 220,
    StepNewPlan = 221,
    StepOpenFile = 222,
    StepReadRadio = 223,
    StepPaste = 224,
    StepCut = 225,
    StepInsertChannel = 226,
    StepDeleteShiftUp = 227,
    StepSort = 228,
    StepBulkEdit = 229,
    MsgPastePastEnd = 230,
    MsgPasteRefused = 231,
    MsgPasteTooManyFields = 232,
    MsgPasteNothing = 233,
    MsgInsertFull = 234,
    MsgShiftOutOfRange = 235,
    MsgShiftBadOffset = 236,
    FindLabel = 237,
    MsgNotFound = 238,
    StepMoveChannels = 239,

    // Interchange and printing (File menu group, dialogs, channel list, CSV notes)
    MenuImport = 240,
    MenuExport = 241,
    MenuPrint = 242,
    MenuExportPdf = 243,
    CsvFileFilter = 244,
    PdfFileFilter = 245,
    NotesTitle = 246,
    ImportNotesIntro = 247,
    ExportNotesIntro = 248,
    ChannelListTitle = 249,
    ChannelListOptionsTitle = 250,
    CsvNotePrefix = 251,
    CsvBadLocation = 252,
    CsvBadFrequency = 253,
    CsvBadDuplex = 254,
    CsvBadOffset = 255,
    CsvTxOutOfRange = 256,
    CsvBadMode = 257,
    CsvBadToneMode = 258,
    CsvBadCtcss = 259,
    CsvBadDcs = 260,
    CsvBadPolarity = 261,
    CsvBadPower = 262,
    CsvBadSkip = 263,
    CsvRepeatedLocation = 264,
    CsvBeyondLastChannel = 265,
    CsvNotChannelList = 266,
    CsvNotUtf8 = 267,
    CsvCannotExport = 268,
    StepImport = 269, // the undo step of an import

    // Ports and installation: the port settings item and dialog, why a port does not
    // open, the file dialogs' captions.
    MenuPortSettings = 270,
    PortIsDevice = 271,
    PortMissing = 272,
    PortsPresent = 273,
    NoPortsPresent = 274,
    PortAccessDenied = 275,
    PortAddToGroup = 276,
    PortRelogin = 277,
    PortUdevRule = 278,
    PortHeldByOther = 279,
    PortHeldByProcess = 280,
    PortHeldByTransfer = 281,
    PortOtherError = 282,
    PortSettingsTitle = 283,
    PortColumnDevice = 284,
    PortColumnDescription = 285,
    PortColumnManufacturer = 286,
    PortColumnUsbId = 287,
    PortColumnSerialNumber = 288,
    PortDetectButton = 289,
    PortDetectPrompt = 290,
    PortDetectFound = 291,
    PortRefreshButton = 292,
    PortDetectNone = 293,
    OpenDialogTitle = 294,
    SaveDialogTitle = 295,
    FileDialogFilter = 296,

    // Programming several radios at once: the Edit menu's item and the fleet window.
    MenuFleet = 400,
    FleetTitle = 401,
    FleetColumnPhase = 402,
    FleetColumnProgress = 403,
    FleetColumnResult = 404,
    FleetSourcePlan = 405,
    FleetSourceRadio = 406,
    FleetBackupFirst = 407,
    FleetVerify = 408,
    FleetStart = 409,
    FleetRunFailed = 410,
    FleetNextBatch = 411,
    FleetBatch = 412,
    FleetReportAt = 413,
    FleetPhaseWaiting = 414,
    FleetPhaseReading = 415,
    FleetPhaseBackingUp = 416,
    FleetPhaseWriting = 417,
    FleetPhaseVerifying = 418,
    FleetPhaseDone = 419,
    FleetResultVerified = 420,
    FleetResultWritten = 421,
    FleetResultRead = 422,
    FleetResultFailed = 423,
    FleetResultDiffers = 424,
    FleetResultStopped = 425,
    FleetStop = 426,
    FleetNoneChecked = 427,
    FleetSummary = 428,
    FleetReportFailed = 429,

    // Transfers that stop or fail half way, and comparing with the radio.
    MsgReadGotChannels = 380,
    MsgPartialReadKept = 381,
    MsgTransferStopped = 382,
    MsgRadioHoldsChannels = 383,
    MsgRadioHoldsNone = 384,
    MsgRadioHoldsAll = 385,
    MsgRestoreFromBackup = 386,
    MsgBackupNextTime = 387,
    MsgVerifyStopped = 388,
    MsgNothingWritten = 389,
    MenuCompareWithRadio = 390,
    CompareTheRadio = 391,
    MsgRadioPlanEqual = 392,

    // The connection doctor: what the line did when the radio did not answer (below
    // MsgNoResponse), the checks of a port and their remedies.
    LineSilent = 430,
    LineSilentRemedy = 431,
    LineEcho = 432,
    LineEchoRemedy = 433,
    LineGarbage = 434,
    LineGarbageRemedy = 435,
    LineOtherRadio = 436,
    LineOtherRadioRemedy = 437,
    LineStoppedAtChannel = 438,
    LineStoppedAtSettings = 439,
    LineStoppedAtStart = 440,
    LineStoppedRemedy = 441,
    DoctorCheckDevice = 442,
    DoctorCheckAccess = 443,
    DoctorCheckHolders = 444,
    DoctorCheckChip = 445,
    DoctorCheckProbe = 446,
    DoctorStatusOk = 447,
    DoctorStatusWarning = 448,
    DoctorStatusProblem = 449,
    DoctorDevicePresent = 450,
    DoctorDeviceMissing = 451,
    DoctorDeviceMissingRemedy = 452,
    DoctorChipWithoutTty = 453,
    DoctorChipWithoutTtyRemedy = 454,
    DoctorBrlttyClaims = 455,
    DoctorBrlttyRemedy = 456,
    DoctorAccessOk = 457,
    DoctorAccessDenied = 458,
    DoctorGroupWontHelp = 459,
    DoctorUdevRuleInstalled = 460,
    DoctorUdevRuleMissing = 461,
    DoctorHoldersNone = 462,
    DoctorHeldRemedy = 463,
    DoctorHeldLock = 464,
    DoctorAlsoOpen = 465,
    DoctorModemManagerIgnores = 466,
    DoctorModemManagerProbes = 467,
    DoctorModemManagerRemedy = 468,
    DoctorChipUsb = 469,
    DoctorChipNotUsb = 470,
    DoctorChipPl2303Old = 471,
    DoctorChipReplaceRemedy = 472,
    DoctorChipClone = 473,
    DoctorProbeOk = 474,
    DoctorProbeNotRun = 475,
    DoctorProbeOpenFailed = 476,
    DoctorRadioIsOn = 477,
    DoctorNoPortAnswered = 478,
    DoctorNotAnswering = 479,
    DoctorMenuItem = 480,
    DoctorTitle = 481,
    DoctorTestButton = 482,
    DoctorRunning = 483,
    DoctorColumnCheck = 484,
    DoctorColumnStatus = 485,
    DoctorColumnDetail = 486,
    DoctorColumnRemedy = 487,
    DoctorOfferTest = 488,
    DoctorCloseButton = 489,

    // Reliability of imports and pastes: the CSV notes added for rows that lose nothing
    // silently, and the paste that is too large to take.
    CsvDcsNotListed = 360,
    CsvOffRaster = 361,
    CsvOutsideBand = 362,
    CsvUnclosedQuote = 363,
    CsvMoreNotes = 364,
    PasteTooLarge = 365,

    // The plan as a document: the window title's name, the question before unsaved
    // changes go, Save As, recent files, the user guide's window.
    MenuSaveAs = 300,
    MenuRecentFiles = 301,
    MenuClearRecentFiles = 302,
    RecentFilesEmpty = 303,
    UntitledPlanName = 304,
    RadioPlanName = 305,
    SaveChangesTitle = 306,
    MsgSaveChanges = 307, // %1: the plan's name as the title shows it
    MsgSaveChangesDetail = 308,
    SaveChangesButton = 309,
    DiscardChangesButton = 310,
    MsgRecentFileMissing = 311, // %1: the file
    HelpWindowTitle = 312,

    // Editing at the desk, the backups window, texts shown in one language
    NoteBelowLowest = 330,
    NoteAboveHighest = 331,
    TipOutsideBands = 332,
    MsgShiftOffRaster = 333,
    MsgShiftLeavesRaster = 334,
    BackupsTitle = 335,
    BackupsColumnKind = 336,
    BackupsColumnTime = 337,
    BackupsColumnChannels = 338,
    BackupKindRead = 339,
    BackupKindBeforeWrite = 340,
    BackupKindPartial = 341,
    BackupKindUnsaved = 342,
    BackupsOpenButton = 343,
    BackupsCompareButton = 344,
    BackupsShowFolderButton = 345,
    BackupsNone = 346,
    MsgFolderNotShown = 347,
    MsgNoBackupsKept = 348,
    LabelRing = 349,
    PhaseWritten = 350,
    PhaseVerified = 351,
    PhaseNotFinished = 352,

    // What a screen reader hears: names and descriptions of controls, the grid's cells
    // (AccCellFormat: %1 column, %2 channel, %3 value; AccEditorFormat: %1 column, %2
    // channel) and the fourth skin's caption.
    AccReadDescription = 500,
    AccWriteDescription = 501,
    AccExitDescription = 502,
    AccCellFormat = 503,
    AccEditorFormat = 504,
    AccEmpty = 505,
    AccColumnRxFreq = 506, // the names of columns 1..8 in order: see accColumnId()
    AccColumnRxTone = 507,
    AccColumnTxFreq = 508,
    AccColumnTxTone = 509,
    AccColumnPower = 510,
    AccColumnBandwidth = 511,
    AccColumnScan = 512,
    AccColumnBusyLock = 513,
    AccGridName = 514,
    AccGridDescription = 515,
    AccGaugeName = 516,
    AccTonePickerDescription = 517,
    AccFrequencyEditorDescription = 518,
    AccChannelButtonsDescription = 519,
    MenuSkinSystem = 520,
};

inline constexpr int toInt(PackId id) {
    return static_cast<int>(id);
}

// Id of the header text of grid column col (0..8); 0 outside.
inline constexpr int headerId(int col) {
    return col >= 0 && col < kColumnCount ? toInt(PackId::HeaderNumber) + col : 0;
}

// Id of the colour name at position index (0..7) of the LED lists; 0 outside.
inline constexpr int ledColourId(int index) {
    return index >= 0 && index < 8 ? toInt(PackId::LedColour1) + index : 0;
}

// Id of the label beside an option's list; 0 for Ring, which has no label.
inline constexpr int optionLabelId(Option option) {
    switch (option) {
    case Option::APO:
        return toInt(PackId::LabelApo);
    case Option::BEEP:
        return toInt(PackId::LabelBeep);
    case Option::BatSave:
        return toInt(PackId::LabelBatSave);
    case Option::ScanKind:
        return toInt(PackId::LabelScanKind);
    case Option::Ring:
        return 0;
    case Option::Scramble:
        return toInt(PackId::LabelScramble);
    case Option::VfoMr:
        return toInt(PackId::LabelVfoMr);
    case Option::MrDisplay:
        return toInt(PackId::LabelMrDisplay);
    case Option::Squelch:
        return toInt(PackId::LabelSquelch);
    case Option::VoxControl:
        return toInt(PackId::LabelVoxControl);
    case Option::TxTimeout:
        return toInt(PackId::LabelTxTimeout);
    case Option::KeySwitch:
        return toInt(PackId::LabelKeySwitch);
    case Option::SwitchUp:
        return toInt(PackId::LabelSwitchUp);
    case Option::DownFreq:
        return toInt(PackId::LabelDownFreq);
    case Option::BroadBand:
        return toInt(PackId::LabelBroadBand);
    case Option::SpreadFreq:
        return toInt(PackId::LabelSpreadFreq);
    case Option::Band:
        return toInt(PackId::LabelBand);
    case Option::FreqStep:
        return toInt(PackId::LabelFreqStep);
    case Option::TxLight:
        return toInt(PackId::LabelTxLight);
    case Option::RxLight:
        return toInt(PackId::LabelRxLight);
    }
    return 0;
}

} // namespace vrx
