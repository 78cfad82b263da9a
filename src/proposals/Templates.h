#pragma once
// Proposal templates: saved bodies in "\Templates\Proposals", one file per
// template, named by what the user typed followed by ".txt". No template
// operation touches a file outside that folder.
#include "common/StoredText.h"

#include <QString>
#include <QStringList>

inline const QString TemplateFolder = QStringLiteral("\\Templates\\Proposals");

// Why a typed name cannot be a template name (the message to show), or
// nothing when it can: empty, "." and "..", separators, characters a file
// name cannot hold on Windows or here, names Windows keeps for devices.
QString TemplateNameProblem(const QString &name);

struct TemplateList {
    bool anyFile = false; // the folder holds a file of any name
    QStringList files;    // the "*.txt" files, with their ".txt"
};
TemplateList ListTemplates();

// A listed template ("Roof.txt") made into a body (LoadTextIntoBody).
ReadBack<QString> LoadTemplate(const QString &fileName);
// A document chosen anywhere on disk, read the same way; valid UTF-8 is
// read as UTF-8 (DecodeDocument), anything else in the code page.
ReadBack<QString> LoadDocument(const QString &fullPath);

// Replaces "\Templates\Proposals\" + name + ".txt" with the body. False,
// writing nothing, for a refused name or when the file cannot be written.
bool SaveTemplateFile(const QString &name, const QString &body);

// The "Save As" of the writer's template frame: the generic terms are
// added to the body unless it holds them already, then a name is asked for,
// checked, and an existing template is replaced only when the user agrees.
struct TemplateSave {
    QString body;       // the body, with the terms it may have gained
    bool saved = false; // a template file was written
    bool added = false; // ... and it is a new one (the list needs a refresh)
    QString fileName;   // the template's file name as listed, once saved
};
TemplateSave SaveBodyAsTemplate(const QString &body);

// The "Delete" of the writer's template frame, after the user's Yes.
// True when the template is gone.
bool DeleteTemplate(const QString &fileName);
