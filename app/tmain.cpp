#include "app/tmain.h"

#include "app/app_texts.h"
#include "catalogue/catalogue.h"
#include "catalogue/node_codes.h"
#include "resources/picture_list.h"
#include "ui/qt/errorreport.h"
#include "ui/qt/messagebox.h"
#include "ui/qt/qtext.h"
#include "ui/qt/toolkit_texts.h"
#include "model/text.h"
#include "editor/record_editor.h"
#include "resources/qt_resource_source.h"
#include "ui/qt/treeview.h"
#include "ui/qt/valueedit.h"

#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

namespace z7 {

namespace {

constexpr int ClientWidth = 901;
constexpr int ClientHeight = 601;
const QColor Maroon(128, 0, 0);

QLabel *picture(QWidget *parent, const QString &name, QRect geometry, const QString &description)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setAccessibleName(description);
    label->setGeometry(geometry);
    return label;
}

QFrame *line(QWidget *parent, const QString &name, QRect geometry)
{
    auto *shape = new QFrame(parent);
    shape->setObjectName(name);
    shape->setAccessibleName(toQString(app_texts::Separator));
    shape->setGeometry(geometry);
    shape->setAutoFillBackground(true);
    QPalette pal = shape->palette();
    pal.setColor(QPalette::Window, Maroon);
    shape->setPalette(pal);
    return shape;
}

// The question of the whole reset, with what another program did to the model
// file in front of it.
QString resetModelQuestion(ModelFileState file)
{
    switch (file) {
    case ModelFileState::Changed:
        return toQString(
            Format(app_texts::ResetChangedModelQuestion, {app_texts::ResetModelQuestion}));
    case ModelFileState::Missing:
        return toQString(
            Format(app_texts::ResetMissingModelQuestion, {app_texts::ResetModelQuestion}));
    case ModelFileState::AsLastSeen:
        break;
    }
    return toQString(app_texts::ResetModelQuestion);
}

QWidget *panel(QWidget *parent, const QString &name, QRect geometry, const QString &description)
{
    auto *p = new QWidget(parent);
    p->setObjectName(name);
    p->setGeometry(geometry);
    p->setAutoFillBackground(true);
    p->setAccessibleName(description);
    return p;
}

QPushButton *button(QWidget *parent, const QString &name, const QString &caption, QRect geometry)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAccessibleName(caption);
    b->setGeometry(geometry);
    b->setAutoDefault(true);
    return b;
}

// The header pictures are decoded when a node first shows one: most runs
// look at a handful of entries, and decoding them all would slow the start.
Navigator::PictureList pictureList()
{
    return {BuildingPictureCount, [](int index) {
                return QImage(QStringLiteral(":/images/buildings/%1.png").arg(index, 3, 10, QLatin1Char('0')));
            }};
}

} // namespace

TMain::TMain(Platform &platform, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                          | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
    , m_platform(platform)
    , m_store(platform, ProgramResources())
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(toQString(app_texts::WindowCaption));
    setFixedSize(ClientWidth, ClientHeight);
    QFont windowFont(toQString(app_texts::WindowFontFamily));
    windowFont.setPointSize(10);
    setFont(windowFont);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Button));
    setPalette(pal);
    QIcon icon;
    for (int size : {16, 24, 32, 48, 256})
        icon.addFile(QStringLiteral(":/images/icon/%1.png").arg(size), QSize(size, size));
    setWindowIcon(icon);

    createControls();

    m_editor = std::make_unique<RecordEditor>(
        m_store, RecordEditor::Controls{this, m_panel1, m_panel2, m_noSelectImage},
        QPixmap(QStringLiteral(":/images/marker.png")));
    m_navigator = std::make_unique<Navigator>(
        Navigator::Controls{this, m_tree, m_buildingImage, m_objektnameLabel, m_speichern,
                            m_singleElementReset},
        static_cast<EntryView &>(*this), pictureList());

    // Keyboard order of the window; each panel's edits come at the panel's place.
    QList<QWidget *> order{m_beenden, m_tree};
    for (int i : Panel2TabOrder)
        order << m_editor->row(i).edit;
    order << m_speichern << m_completeReset << m_singleElementReset;
    for (int i : Panel1TabOrder)
        order << m_editor->row(i).edit;
    for (qsizetype k = 1; k < order.size(); ++k)
        QWidget::setTabOrder(order.at(k - 1), order.at(k));
    m_beenden->setFocus(Qt::OtherFocusReason);

    const QRect desktop = QGuiApplication::primaryScreen()
                              ? QGuiApplication::primaryScreen()->availableGeometry()
                              : QRect(0, 0, ClientWidth, ClientHeight);
    move(desktop.center() - QPoint(ClientWidth / 2, ClientHeight / 2));
}

TMain::~TMain() = default;

void TMain::createControls()
{
    // In the order of creation: what is created later lies above.
    m_noSelectImage = picture(this, QStringLiteral("NoSelectImage"), {305, 212, 520, 235},
                              toQString(app_texts::NoSelectDescription));
    m_noSelectImage->setPixmap(QPixmap(QStringLiteral(":/images/noselect.png")));
    m_shape1 = line(this, QStringLiteral("Shape1"), {0, 559, 909, 2});
    m_shape2 = line(this, QStringLiteral("Shape2"), {0, 130, 910, 2});

    m_imprintLabel = new QLabel(toQString(app_texts::Imprint), this);
    m_imprintLabel->setObjectName(QStringLiteral("ImprintLabel"));
    m_imprintLabel->setAccessibleName(toQString(app_texts::Imprint));
    m_imprintLabel->setGeometry(8, 567, 417, 25);
    m_imprintLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);

    m_panel1 = panel(this, QStringLiteral("Panel1"), {239, 135, 668, 134},
                     toQString(app_texts::BuildingValues));
    m_panel2 = panel(this, QStringLiteral("Panel2"), {239, 269, 668, 251},
                     toQString(app_texts::HouseValues));
    m_panel1->hide();
    m_panel2->hide();

    m_panel3 = panel(this, QStringLiteral("Panel3"), {0, 0, ClientWidth, 127},
                     toQString(app_texts::Header));
    QPalette white = m_panel3->palette();
    white.setColor(QPalette::Window, Qt::white);
    m_panel3->setPalette(white);
    m_z7MainImage = picture(m_panel3, QStringLiteral("Z7MainImage"), {8, 3, 274, 100},
                            toQString(app_texts::LogoDescription));
    m_z7MainImage->setAlignment(Qt::AlignCenter);
    m_z7MainImage->setPixmap(QPixmap(QStringLiteral(":/images/logo.png")));
    m_objektnameLabel = new QLabel(toQString(app_texts::FirstGroup), m_panel3);
    m_objektnameLabel->setObjectName(QStringLiteral("ObjektnameLabel"));
    m_objektnameLabel->setAccessibleName(toQString(app_texts::ShownEntry));
    m_objektnameLabel->setGeometry(556, 78, 338, 33);
    m_objektnameLabel->setAlignment(Qt::AlignCenter);
    m_buildingImage = picture(m_panel3, QStringLiteral("BuildingImage"), {401, 3, 160, 119},
                              toQString(app_texts::BuildingDescription));
    m_buildingImage->setScaledContents(true);
    m_buildingImage->setPixmap(QPixmap(QStringLiteral(":/images/start.png")));

    m_beenden =
        button(this, QStringLiteral("Beenden"), toQString(app_texts::Quit), {588, 563, 306, 33});
    connect(m_beenden, &QPushButton::clicked, this, [this] { Guarded([&] { BeendenClick(); }); });

    m_tree = new TreeView(this);
    m_tree->setObjectName(QStringLiteral("ModellTree"));
    m_tree->setAccessibleName(toQString(app_texts::Catalogue));
    m_tree->setGeometry(8, 135, 226, 385);
    m_tree->setItemTextColourHook(ModellTreeCustomDrawItem);

    m_speichern =
        button(this, QStringLiteral("Speichern"), toQString(app_texts::Save), {245, 523, 649, 33});
    m_speichern->setEnabled(false);
    connect(m_speichern, &QPushButton::clicked, this, [this] { Guarded([&] { SpeichernClick(); }); });

    m_completeReset =
        button(this, QStringLiteral("CompleteReset"), toQString(app_texts::CompleteReset),
               {8, 523, 225, 33});
    connect(m_completeReset, &QPushButton::clicked, this,
            [this] { Guarded([&] { CompleteResetClick(); }); });

    m_singleElementReset =
        button(this, QStringLiteral("SingleElementReset"), toQString(toolkit_texts::Reset),
               {589, 482, 305, 33});
    m_singleElementReset->setEnabled(false);
    m_singleElementReset->hide();
    connect(m_singleElementReset, &QPushButton::clicked, this,
            [this] { Guarded([&] { SingleElementResetClick(); }); });
}

void TMain::SpeichernClick()
{
    QTreeWidgetItem *node = m_tree->currentItem();
    if (node && SaveActsOn(TreeView::selectCode(node)))
        m_editor->StoreEntry(node->text(0), TreeView::selectCode(node));
}

void TMain::SingleElementResetClick()
{
    if (QTreeWidgetItem *node = m_tree->currentItem())
        m_editor->ResetEntry(node->text(0), TreeView::selectCode(node));
}

void TMain::CompleteResetClick()
{
    ResetModel();
}

void TMain::ResetModel()
{
    // A file that another program changed or removed is named in the question;
    // should that happen while the question is open, the question comes again.
    ModelFileState asked = m_store.CheckModelFile();
    for (;;) {
        const int answer = ShowMessage(this, resetModelQuestion(asked),
                                       toQString(toolkit_texts::QuestionTitle),
                                       MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2);
        if (answer == IDCANCEL)
            return;
        const ModelFileState now = m_store.CheckModelFile();
        if (now == ModelFileState::AsLastSeen || now == asked)
            break;
        asked = now;
    }
    m_store.ResetWholeModel();
    BuildCatalogue(m_tree);
    m_panel1->hide();
    m_panel2->hide();
    m_noSelectImage->show();
    m_objektnameLabel->clear();
    // No node is selected any more: nothing is left to store or reset.
    m_editor->setDirty(false);
    m_speichern->setEnabled(false);
    m_singleElementReset->setEnabled(false);
    m_singleElementReset->hide();
}

void TMain::BeendenClick()
{
    close();
}

bool TMain::isDirty() const
{
    return m_editor->IsDirty();
}

void TMain::setDirty(bool dirty)
{
    m_editor->setDirty(dirty);
}

bool TMain::storeEntry(const QString &caption, int code)
{
    return m_editor->StoreEntry(caption, code);
}

RecordKind TMain::showEntry(const QString &caption, int code)
{
    return m_editor->ShowEntry(caption, code);
}

void TMain::showNoSelection()
{
    m_editor->ShowNoSelection();
}

} // namespace z7
