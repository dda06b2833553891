#include "ui/about_dialog.h"

#include "model/drawing_settings.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <cstdio>

static const char* const kBuildDate = "Thu Sep 19 10:56:14 2002";

static const char* const kCredits =
    "CorvidPlot: interactive 2-D plotting and data analysis.\n"
    "Written by the CorvidPlot developers.\n"
    "Uses Qt 6, libpng and zlib, the Template Numerical Toolkit and ALSA.\n"
    "Fonts by the Liberation project.";

QStringList AboutDialog::Fields()
{
    char version[64];
    std::snprintf(version, sizeof version, "CorvidPlot version %.2f", 1.23);
    char date[64];
    std::snprintf(date, sizeof date, "Build date: %s", kBuildDate);
    return {version, date,
            use16BitCoordinates ? "Using 16 bit screen coordinates"
                                : "Using 32 bit screen coordinates"};
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("About CorvidPlot");
    auto* layout = new QVBoxLayout(this);
    for (const QString& field : Fields())
        layout->addWidget(new QLabel(field, this));
    auto* credits = new QPlainTextEdit(kCredits, this);
    credits->setReadOnly(true);
    credits->setMaximumHeight(100);
    layout->addWidget(credits);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}
