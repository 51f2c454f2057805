// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/AboutDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "ui/PixelImageQt.h"
#include "ui/ProgramIcon.h"

namespace vexari {

QString VersionText(const VersionQuad& version) {
    return AboutDialog::tr("Vexari version %1.%2.%3.%4")
        .arg(version[0])
        .arg(version[1])
        .arg(version[2])
        .arg(version[3]);
}

AboutDialog::AboutDialog(const VersionQuad& version, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("About Vexari"));
    ApplyDialogLook(this);

    auto* iconLabel = new QLabel(this);
    iconLabel->setObjectName(QStringLiteral("iconLabel"));
    iconLabel->setPixmap(QPixmap::fromImage(AsQImage(DrawProgramIcon(kIconSize)).copy()));
    auto* versionLabel = new QLabel(VersionText(version), this);
    versionLabel->setObjectName(QStringLiteral("versionLabel"));
    QDialogButtonBox* buttons = MakeButtonRow(this);
    QPushButton* ok = buttons->addButton(tr("OK"), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    ok->setMinimumSize(DialogUnits(this, 32, 14));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(iconLabel, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(versionLabel, 0, 1);
    layout->addWidget(buttons, 0, 2, Qt::AlignTop);
    layout->addWidget(new QLabel(tr("A falling-block puzzle game for one player,"), this), 1, 1, 1, 2);
    layout->addWidget(new QLabel(tr("for the computer and for friends on the network."), this), 2, 1, 1, 2);
    layout->addWidget(new QLabel(tr("Keys, look and skill are set in the Options menu."), this), 3, 1, 1, 2);
    auto* licence = new QLabel(tr("Free software under the <a href=\"https://www.gnu.org/licenses/gpl-3.0.html\">"
                                  "GNU General Public License</a>, version 3 or later."),
                               this);
    licence->setOpenExternalLinks(true);
    licence->setWordWrap(true);
    layout->addWidget(licence, 4, 1, 1, 2);
    layout->setColumnStretch(1, 1);
    setMinimumSize(DialogUnits(this, 217, 86));
}

void RunAboutDialog(QWidget* parent, const VersionQuad& version, Prompts& prompts) {
    AboutDialog dialog(version, parent);
    prompts.Exec(dialog);
}

}  // namespace vexari
