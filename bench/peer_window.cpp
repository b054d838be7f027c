// The tool's window as a developer would write it straight with Qt widgets: the same title, size,
// place, flags and background, and the same 62 components (widget classes, texts, fonts, colours,
// places, starting state, tab order and first focus), and nothing else: no settings file, no run
// log, no service library, no platform layer. The peer for the tool's start-up time and memory;
// bench/compare-first-sight.sh checks that it draws the same pixels as the tool's first sight.
//
//   corvane_peer_window [--title <text>]
//
// Ends on SIGTERM or SIGINT, through the event loop as the tool does.
#include <signal.h>
#include <unistd.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QDir>
#include <QIcon>
#include <QPalette>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

namespace {

// Written by the signal handler, read by the event loop: a pipe is async-signal-safe.
int signalPipe[2] = {-1, -1};

void OnTerminationSignal(int) {
    const char byte = 1;
    if (write(signalPipe[1], &byte, 1) < 0) {
        // Nothing a signal handler can do; the loop simply does not end.
    }
}

// A font of the window: an empty face is the application's default font. Heights in pixels.
struct FontDef {
    const char* face;
    int pixels;
    bool bold;
    bool italic;
    const QColor* color;  // nullptr: the palette's window-text colour
};

const QColor kBlack(0, 0, 0);
const QColor kLime(0, 255, 0);
const FontDef kWindowFont{"", 11, false, false, nullptr};
const FontDef kHeading{"Arial", 16, true, true, &kBlack};
const FontDef kCaption{"Arial", 12, true, false, &kBlack};
const FontDef kLegend{"Arial", 12, false, false, &kBlack};
const FontDef kValue{"Arial", 12, false, false, nullptr};
const FontDef kSensorValue{"Arial", 12, true, false, nullptr};
const FontDef kField{"", 12, false, false, nullptr};
const FontDef kIndicator{"Arial", 21, false, false, &kLime};
const FontDef kCredit{"", 8, false, false, nullptr};

QFont MakeFont(const FontDef& def) {
    QFont font = *def.face == '\0' ? QApplication::font() : QFont(QString::fromLatin1(def.face));
    font.setPixelSize(def.pixels);
    font.setBold(def.bold);
    font.setItalic(def.italic);
    return font;
}

void SetFont(QWidget& widget, const FontDef& def) {
    widget.setFont(MakeFont(def));
    if (def.color != nullptr) {
        QPalette palette = widget.palette();
        palette.setColor(QPalette::WindowText, *def.color);
        widget.setPalette(palette);
    }
}

// A text on the window (label) or in a box of its own (static text, at least `minimumHeight`
// high): plain text at the top-left corner in the window-text colour, sized to the text.
QLabel* AddText(QWidget& window, int x, int y, const char* text, const FontDef& font,
                int minimumHeight = 0) {
    auto* label = new QLabel(&window);
    label->setTextFormat(Qt::PlainText);
    label->setFrameShape(QFrame::NoFrame);
    label->setFocusPolicy(Qt::NoFocus);
    label->setMinimumHeight(minimumHeight);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // The window's background is the button face; a text on it takes the window-text colour.
    label->setForegroundRole(QPalette::WindowText);
    SetFont(*label, font);
    label->move(x, y);
    label->setText(QString::fromUtf8(text));
    const QSize hint = label->sizeHint();
    label->resize(hint.width(), std::max(hint.height(), minimumHeight));
    return label;
}

QLabel* AddStaticText(QWidget& window, int x, int y, const FontDef& font) {
    return AddText(window, x, y, "--", font, 19);
}

QLineEdit* AddEdit(QWidget& window, int x, int y) {
    auto* edit = new QLineEdit(&window);
    edit->setMaxLength(INT_MAX);
    edit->setFocusPolicy(Qt::StrongFocus);
    SetFont(*edit, kField);
    edit->setGeometry(x, y, 49, 21);
    edit->setText(QStringLiteral("0"));
    return edit;
}

QPushButton* AddButton(QWidget& window, int x, int y, const char* caption) {
    auto* button = new QPushButton(QString::fromUtf8(caption), &window);
    button->setAutoDefault(false);
    button->setDefault(false);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setGeometry(x, y, 75, 25);  // the window's font
    return button;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QString title = QStringLiteral("Corvane Sensors Tool");
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--title") == 0 && i + 1 < argc) {
            title = QString::fromLocal8Bit(argv[++i]);
        }
    }
    QApplication::setQuitOnLastWindowClosed(false);
    QGuiApplication::setDesktopFileName(QStringLiteral("corvane-sensors-tool"));
    // The window's icon, the same pictures the tool carries.
    QIcon icon;
    const QDir pictures(QStringLiteral(":/application-icon"));
    for (const QString& name : pictures.entryList(QDir::Files)) {
        icon.addFile(pictures.filePath(name));
    }
    QGuiApplication::setWindowIcon(icon);

    if (pipe(signalPipe) != 0) {
        return 1;
    }
    QSocketNotifier signalNotifier(signalPipe[0], QSocketNotifier::Read);
    QObject::connect(&signalNotifier, &QSocketNotifier::activated, &application,
                     &QCoreApplication::quit);
    struct sigaction action {};
    action.sa_handler = &OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);

    // A fixed single border: title, system menu, minimise and close; no maximise, no help.
    QWidget window(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                Qt::WindowCloseButtonHint);
    window.setWindowTitle(title);
    window.setFixedSize(553, 505);
    window.move(206, 111);
    // The window's own light colours, whatever the desktop's palette says.
    const QColor buttonFace(240, 240, 240);
    const QColor disabledText(109, 109, 109);
    QPalette palette(Qt::black, buttonFace, Qt::white, QColor(160, 160, 160),
                     QColor(160, 160, 160), Qt::black, Qt::white, Qt::white, buttonFace);
    palette.setColor(QPalette::ButtonText, Qt::black);
    palette.setColor(QPalette::Midlight, QColor(227, 227, 227));
    palette.setColor(QPalette::Shadow, QColor(105, 105, 105));
    palette.setColor(QPalette::AlternateBase, QColor(247, 247, 247));
    palette.setColor(QPalette::Highlight, QColor(0, 120, 215));
    palette.setColor(QPalette::HighlightedText, Qt::white);
    palette.setColor(QPalette::PlaceholderText, disabledText);
    for (const QPalette::ColorRole role :
         {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Disabled, role, disabledText);
    }
    palette.setColor(QPalette::Disabled, QPalette::Base, buttonFace);
    window.setPalette(palette);
    window.setBackgroundRole(QPalette::Button);
    window.setAutoFillBackground(true);
    SetFont(window, kWindowFont);

    // In the order of the tool's components, which is also the order in which siblings stack.
    QLabel* connectLabel =
        AddText(window, 16, 440, "Trying to connect to mobile with Boot-Strap-Loader", kHeading);
    auto* progress = new QProgressBar(&window);
    progress->setOrientation(Qt::Horizontal);
    progress->setTextVisible(false);
    progress->setFocusPolicy(Qt::NoFocus);
    progress->setGeometry(16, 472, 521, 13);
    progress->setRange(0, 60);
    progress->setValue(0);
    QPushButton* readPhone = AddButton(window, 464, 216, "&Read Phone");
    QPushButton* exitButton = AddButton(window, 464, 400, "&Exit");
    AddText(window, 16, 120, "Sensors", kHeading);
    QPushButton* writePhone = AddButton(window, 464, 272, "&Write Phone");
    QPushButton* writeFile = AddButton(window, 464, 80, "&Write File");
    QPushButton* readFile = AddButton(window, 464, 24, "&Read File");
    AddText(window, 16, 144, "VBattMiddle", kLegend);
    AddText(window, 96, 144, "VBattMax", kLegend);
    AddText(window, 168, 144, "VBattMin", kLegend);
    AddText(window, 232, 144, "BattTemp", kLegend);
    AddText(window, 304, 144, "EnvTemp", kLegend);
    AddText(window, 384, 144, "VCXOTemp", kLegend);
    QLabel* active = AddText(window, 472, 152, "Active", kIndicator);
    AddText(window, 16, 200, "Eelite BlockId=67", kHeading);
    AddText(window, 112, 328, "000A:", kCaption);
    AddText(window, 16, 328, "0008:", kCaption);
    AddText(window, 16, 256, "0000:", kCaption);
    AddText(window, 112, 256, "0002:", kCaption);
    AddText(window, 240, 256, "0004:", kCaption);
    AddText(window, 336, 256, "0006:", kCaption);
    std::vector<QLineEdit*> edits;
    edits.push_back(AddEdit(window, 56, 256));
    edits.push_back(AddEdit(window, 152, 256));
    edits.push_back(AddEdit(window, 280, 256));
    edits.push_back(AddEdit(window, 376, 256));
    edits.push_back(AddEdit(window, 56, 328));
    edits.push_back(AddEdit(window, 152, 328));
    edits.push_back(AddEdit(window, 280, 328));
    AddText(window, 336, 328, "000E:", kCaption);
    edits.push_back(AddEdit(window, 376, 328));
    AddText(window, 240, 328, "000C:", kCaption);
    edits.push_back(AddEdit(window, 56, 400));
    AddText(window, 112, 400, "0012:", kCaption);
    edits.push_back(AddEdit(window, 152, 400));
    AddText(window, 16, 400, "0010:", kCaption);
    AddText(window, 72, 376, "VCXOTemp Data", kLegend);
    AddText(window, 72, 304, "BattTemp Data", kLegend);
    AddText(window, 304, 304, "EnvTemp Data", kLegend);
    AddText(window, 304, 232, "BattMax Data", kLegend);
    AddText(window, 80, 232, "BattMin Data", kLegend);
    AddText(window, 16, 24, "MobileInformation", kHeading);
    AddText(window, 16, 48, "FlashSerialNumber:", kCaption);
    AddText(window, 216, 48, "MobileSWVersion:", kCaption);
    AddText(window, 16, 72, "LanguageGroup:", kCaption);
    AddText(window, 216, 72, "ProductName:", kCaption);
    AddStaticText(window, 328, 48, kValue);  // software version
    AddStaticText(window, 328, 72, kValue);  // product name
    AddStaticText(window, 136, 72, kValue);  // language group
    AddStaticText(window, 136, 48, kValue);  // flash serial number
    AddStaticText(window, 136, 96, kValue);  // hardware id and model
    AddText(window, 16, 96, "MobileHWId:", kCaption);
    AddStaticText(window, 16, 160, kSensorValue);
    AddStaticText(window, 96, 160, kSensorValue);
    AddStaticText(window, 168, 160, kSensorValue);
    AddStaticText(window, 232, 160, kSensorValue);
    AddStaticText(window, 304, 160, kSensorValue);
    AddStaticText(window, 384, 160, kSensorValue);
    auto* sensorTimer = new QTimer(&window);  // stopped: no phone is polled in this window
    static_cast<void>(sensorTimer);
    AddText(window, 456, 488, "Corvane Tool 1.0", kCredit);

    // The starting state: no phone yet.
    active->hide();
    connectLabel->hide();
    progress->hide();
    readPhone->setEnabled(false);
    writePhone->setEnabled(false);

    QWidget* previous = readFile;
    for (QWidget* next :
         std::initializer_list<QWidget*>{writeFile, readPhone, writePhone, exitButton}) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    }
    for (QLineEdit* edit : edits) {
        QWidget::setTabOrder(previous, edit);
        previous = edit;
    }
    readFile->setFocus(Qt::TabFocusReason);

    window.show();
    return application.exec();
}
