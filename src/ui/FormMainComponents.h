// The main window's 62 components, in their order of declaration.
//
// Each row: X(class, name, kind, left, top, width, height, text, font, tab place, handler, extras)
// - place and size in the client area at 96 dots per inch; labels and static texts size themselves
//   to their text, so their width here is that of the designed text (0: the text decides);
// - font: one of the fonts in FormMainFonts.h, or nullptr for the window font;
// - tab place -1: no place in the tab order;
// - handler: the TFormMain method bound to the component's one event, or nullptr;
// - extras: settings of the progress bar and the file dialogs.
// The field declarations of TFormMain and the table the platform builds the window from are both
// expanded from this one list.
#pragma once

#define CORVANE_FORM_MAIN_COMPONENTS(X)                                                            \
    X(TLabel, ConnectLabel, Label, 16, 440, 384, 18,                                               \
      "Trying to connect to mobile with Boot-Strap-Loader", &kHeadingFont, -1, nullptr, {})       \
    X(TProgressBar, ConnectProgressBar, ProgressBar, 16, 472, 521, 13, "", nullptr, 15, nullptr,   \
      (Extras{.rangeMax = 60, .step = 1}))                                                         \
    X(TButton, ReadButton, Button, 464, 216, 75, 25, "&Read Phone", nullptr, 2,                    \
      &TFormMain::ReadPhoneBtn, {})                                                                \
    X(TButton, ExitButton, Button, 464, 400, 75, 25, "&Exit", nullptr, 4, &TFormMain::Exit, {})    \
    X(TLabel, Sensors, Label, 16, 120, 64, 18, "Sensors", &kHeadingFont, -1, nullptr, {})          \
    X(TButton, WriteButton, Button, 464, 272, 75, 25, "&Write Phone", nullptr, 3,                  \
      &TFormMain::WritePhoneBtn, {})                                                               \
    X(TButton, WriteFileButton, Button, 464, 80, 75, 25, "&Write File", nullptr, 1,                \
      &TFormMain::WriteFileBtn, {})                                                                \
    X(TButton, Button5, Button, 464, 24, 75, 25, "&Read File", nullptr, 0,                         \
      &TFormMain::ReadFileBtn, {})                                                                 \
    X(TLabel, Label4, Label, 16, 144, 64, 15, "VBattMiddle", &kLegendFont, -1, nullptr, {})        \
    X(TLabel, Label6, Label, 96, 144, 49, 15, "VBattMax", &kLegendFont, -1, nullptr, {})           \
    X(TLabel, Label8, Label, 168, 144, 47, 15, "VBattMin", &kLegendFont, -1, nullptr, {})          \
    X(TLabel, Label10, Label, 232, 144, 53, 15, "BattTemp", &kLegendFont, -1, nullptr, {})         \
    X(TLabel, Label12, Label, 304, 144, 52, 15, "EnvTemp", &kLegendFont, -1, nullptr, {})          \
    X(TLabel, Label14, Label, 384, 144, 64, 15, "VCXOTemp", &kLegendFont, -1, nullptr, {})         \
    X(TLabel, ActiveLabel, Label, 472, 152, 58, 24, "Active", &kIndicatorFont, -1, nullptr, {})    \
    X(TLabel, Eelite, Label, 16, 200, 129, 18, "Eelite BlockId=67", &kHeadingFont, -1, nullptr,    \
      {})                                                                                          \
    X(TLabel, Label23, Label, 112, 328, 32, 15, "000A:", &kCaptionFont, -1, nullptr, {})           \
    X(TLabel, Label25, Label, 16, 328, 31, 15, "0008:", &kCaptionFont, -1, nullptr, {})            \
    X(TLabel, Label19, Label, 16, 256, 31, 15, "0000:", &kCaptionFont, -1, nullptr, {})            \
    X(TLabel, Label33, Label, 112, 256, 31, 15, "0002:", &kCaptionFont, -1, nullptr, {})           \
    X(TLabel, Label35, Label, 240, 256, 31, 15, "0004:", &kCaptionFont, -1, nullptr, {})           \
    X(TLabel, Label37, Label, 336, 256, 31, 15, "0006:", &kCaptionFont, -1, nullptr, {})           \
    X(TEdit, Edit1, Edit, 56, 256, 49, 21, "0", &kFieldFont, 5, nullptr, {})                       \
    X(TEdit, Edit2, Edit, 152, 256, 49, 21, "0", &kFieldFont, 6, nullptr, {})                      \
    X(TEdit, Edit3, Edit, 280, 256, 49, 21, "0", &kFieldFont, 7, nullptr, {})                      \
    X(TEdit, Edit4, Edit, 376, 256, 49, 21, "0", &kFieldFont, 8, nullptr, {})                      \
    X(TEdit, Edit5, Edit, 56, 328, 49, 21, "0", &kFieldFont, 9, nullptr, {})                       \
    X(TEdit, Edit6, Edit, 152, 328, 49, 21, "0", &kFieldFont, 10, nullptr, {})                     \
    X(TEdit, Edit7, Edit, 280, 328, 49, 21, "0", &kFieldFont, 11, nullptr, {})                     \
    X(TLabel, Label20, Label, 336, 328, 31, 15, "000E:", &kCaptionFont, -1, nullptr, {})           \
    X(TEdit, Edit8, Edit, 376, 328, 49, 21, "0", &kFieldFont, 12, nullptr, {})                     \
    X(TLabel, Label21, Label, 240, 328, 32, 15, "000C:", &kCaptionFont, -1, nullptr, {})           \
    X(TEdit, Edit9, Edit, 56, 400, 49, 21, "0", &kFieldFont, 13, nullptr, {})                      \
    X(TLabel, Label22, Label, 112, 400, 31, 15, "0012:", &kCaptionFont, -1, nullptr, {})           \
    X(TEdit, Edit10, Edit, 152, 400, 49, 21, "0", &kFieldFont, 14, nullptr, {})                    \
    X(TLabel, Label24, Label, 16, 400, 31, 15, "0010:", &kCaptionFont, -1, nullptr, {})            \
    X(TLabel, Label26, Label, 72, 376, 93, 15, "VCXOTemp Data", &kLegendFont, -1, nullptr, {})     \
    X(TLabel, Label27, Label, 72, 304, 82, 15, "BattTemp Data", &kLegendFont, -1, nullptr, {})     \
    X(TLabel, Label28, Label, 304, 304, 81, 15, "EnvTemp Data", &kLegendFont, -1, nullptr, {})     \
    X(TLabel, Label29, Label, 304, 232, 71, 15, "BattMax Data", &kLegendFont, -1, nullptr, {})     \
    X(TLabel, Label30, Label, 80, 232, 69, 15, "BattMin Data", &kLegendFont, -1, nullptr, {})      \
    X(TLabel, MobileInformationLabel, Label, 16, 24, 139, 18, "MobileInformation", &kHeadingFont,  \
      -1, nullptr, {})                                                                             \
    X(TLabel, MobileHWIdLabel, Label, 16, 48, 111, 15, "FlashSerialNumber:", &kCaptionFont, -1,    \
      nullptr, {})                                                                                 \
    X(TLabel, MobileSWVerLabel, Label, 216, 48, 104, 15, "MobileSWVersion:", &kCaptionFont, -1,    \
      nullptr, {})                                                                                 \
    X(TLabel, LanguageGroupLabel, Label, 16, 72, 93, 15, "LanguageGroup:", &kCaptionFont, -1,      \
      nullptr, {})                                                                                 \
    X(TLabel, ProductNameLabel, Label, 216, 72, 81, 15, "ProductName:", &kCaptionFont, -1,         \
      nullptr, {})                                                                                 \
    X(TStaticText, MobileSWVerStText, StaticText, 328, 48, 0, 19, "--", &kValueFont, 16, nullptr,  \
      {})                                                                                          \
    X(TStaticText, ProductNameStText, StaticText, 328, 72, 0, 19, "--", &kValueFont, 17, nullptr,  \
      {})                                                                                          \
    X(TStaticText, LanguageGroupStText, StaticText, 136, 72, 0, 19, "--", &kValueFont, 18,         \
      nullptr, {})                                                                                 \
    X(TStaticText, MobileHWIdStText, StaticText, 136, 48, 0, 19, "--", &kValueFont, 19, nullptr,   \
      {})                                                                                          \
    X(TStaticText, DescriptionStText, StaticText, 136, 96, 0, 19, "--", &kValueFont, 20, nullptr,  \
      {})                                                                                          \
    X(TLabel, DescriptionLabel, Label, 16, 96, 70, 15, "MobileHWId:", &kCaptionFont, -1, nullptr,  \
      {})                                                                                          \
    X(TStaticText, VBattMiddleStText, StaticText, 16, 160, 0, 19, "--", &kSensorValueFont, 21,     \
      nullptr, {})                                                                                 \
    X(TStaticText, VBattMaxStText, StaticText, 96, 160, 0, 19, "--", &kSensorValueFont, 22,        \
      nullptr, {})                                                                                 \
    X(TStaticText, VBattMinStText, StaticText, 168, 160, 0, 19, "--", &kSensorValueFont, 23,       \
      nullptr, {})                                                                                 \
    X(TStaticText, BattTempStText, StaticText, 232, 160, 0, 19, "--", &kSensorValueFont, 24,       \
      nullptr, {})                                                                                 \
    X(TStaticText, EnvTempStText, StaticText, 304, 160, 0, 19, "--", &kSensorValueFont, 25,        \
      nullptr, {})                                                                                 \
    X(TStaticText, VCXOTempStText, StaticText, 384, 160, 0, 19, "--", &kSensorValueFont, 26,       \
      nullptr, {})                                                                                 \
    X(TTimer, AllTimer, Timer, 0, 0, 0, 0, "", nullptr, -1, &TFormMain::AllTimerTimer, {})         \
    X(TOpenDialog, ReadFileDialog, OpenDialog, 0, 0, 0, 0, "Block File To Read", nullptr, -1,      \
      nullptr, (Extras{.filter = "Block files|*.blk", .defaultExt = "blk"}))                       \
    X(TSaveDialog, WriteFileDialog, SaveDialog, 0, 0, 0, 0, "Block File To Write", nullptr, -1,    \
      nullptr,                                                                                     \
      (Extras{.filter = "Block files|*.blk", .defaultExt = "blk", .fileName = "Current.blk"}))    \
    X(TLabel, Label1, Label, 456, 488, 84, 13, kCreditText, &kCreditFont, -1, nullptr, {})
