#include "qt/about_dialog.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QUrl>

#include "commands/program_info.h"

namespace thld {

namespace {

// The program's identity as every exe, installer and package gives it (program_info.h); where that
// file does not name the product or the four-part version yet, the build's own.
#ifdef THLD_PRODUCT_NAME
constexpr const char* kProductName = THLD_PRODUCT_NAME;
#else
constexpr const char* kProductName = "Tallyhold";
#endif
#ifdef THLD_VERSION_TEXT
constexpr const char* kVersionText = THLD_VERSION_TEXT;
#else
constexpr const char* kVersionText = THLD_VERSION_FOUR;
#endif
constexpr const char* kWebAddress = THLD_WEB_ADDRESS;
constexpr const char* kRightsNotice = THLD_RIGHTS_NOTICE;

// The program's own two colours, kept for its banner.
const QColor kPlateBlue(33, 33, 115);
const QColor kLetterYellow(206, 206, 74);

// The banner: the name and version in yellow on a raised dark-blue plate, sharp at any scale.
QPixmap Banner(qreal scale)
{
    const QSize size(384, 100);
    QPixmap banner(size * scale);
    banner.setDevicePixelRatio(scale);
    banner.fill(kPlateBlue);
    QPainter painter(&banner);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRect plate(8, 8, size.width() - 16, size.height() - 16);
    painter.fillRect(plate, kPlateBlue.lighter(120));
    painter.setPen(QPen(kPlateBlue.lighter(170), 3));
    painter.drawLine(plate.topLeft(), plate.topRight());
    painter.drawLine(plate.topLeft(), plate.bottomLeft());
    painter.setPen(QPen(kPlateBlue.darker(170), 3));
    painter.drawLine(plate.bottomLeft(), plate.bottomRight());
    painter.drawLine(plate.topRight(), plate.bottomRight());
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(40);
    painter.setFont(font);
    painter.setPen(kPlateBlue.darker(250));
    painter.drawText(plate.translated(2, 2), Qt::AlignCenter, ProgramTitle());
    painter.setPen(kLetterYellow);
    painter.drawText(plate, Qt::AlignCenter, ProgramTitle());
    return banner;
}

}  // namespace

QString ProgramTitle() { return QStringLiteral("Tallyhold v") + QStringLiteral(THLD_VERSION); }

QIcon ProgramIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/tallyhold-%1.png").arg(size), QSize(size, size));
    return icon;
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("About ") + ProgramTitle());
    auto* layout = new QGridLayout(this);

    auto* banner = new QLabel;
    banner->setPixmap(Banner(devicePixelRatioF()));
    layout->addWidget(banner, 0, 0, 1, 3, Qt::AlignCenter);

    auto* icon = new QLabel;
    icon->setPixmap(ProgramIcon().pixmap(48, 48));
    layout->addWidget(icon, 1, 0, 3, 1, Qt::AlignTop);
    auto* title = new QLabel(ProgramTitle());
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout->addWidget(title, 1, 1, 1, 2);
    auto* identity = new QLabel(
        QStringLiteral("%1, version %2, published by %3")
            .arg(QString::fromUtf8(kProductName), QString::fromUtf8(kVersionText), QString::fromUtf8(THLD_MAKER)));
    identity->setObjectName(QStringLiteral("aboutIdentity"));
    layout->addWidget(identity, 2, 1, 1, 2);
    layout->addWidget(new QLabel(QString::fromUtf8(kRightsNotice)), 3, 1, 1, 2);

    auto* webPage = new QPushButton(QStringLiteral(THLD_MAKER));
    webPage->setAutoDefault(false);
    connect(webPage, &QPushButton::clicked, this,
            [] { QDesktopServices::openUrl(QUrl(QString::fromUtf8(kWebAddress))); });
    layout->addWidget(webPage, 4, 1);
    auto* address = new QLabel(QString::fromUtf8(kWebAddress));
    address->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(address, 4, 2);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons, 5, 0, 1, 3);
}

}  // namespace thld
