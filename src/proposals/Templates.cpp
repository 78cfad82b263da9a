#include "proposals/Templates.h"

#include "common/CommonRoutines.h"
#include "platform/TextCodec.h"
#include "platform/UserPrompt.h"
#include "proposals/ProposalFiles.h"
#include "settings/TermsTexts.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <algorithm>

namespace {

const QString CrLf = QStringLiteral("\r\n");
const QString NotSaved = QStringLiteral("The Template has not been saved.");

QString InTemplates(const QString &fileName) { return TemplateFolder + QLatin1Char('\\') + fileName; }

bool IsDeviceName(const QString &name) {
    static const QRegularExpression devices(QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])$"),
                                            QRegularExpression::CaseInsensitiveOption);
    return devices.match(name.section(QLatin1Char('.'), 0, 0).trimmed()).hasMatch();
}

} // namespace

QString TemplateNameProblem(const QString &name) {
    if (name.trimmed().isEmpty())
        return QStringLiteral("No name was entered for the Template.") + CrLf + NotSaved;
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    const bool badCharacter = std::any_of(name.begin(), name.end(), [](QChar c) {
        return c.unicode() < 32 || forbidden.contains(c);
    });
    if (badCharacter)
        return QStringLiteral("A Template name cannot contain any of these characters:") + CrLf +
               QStringLiteral("\\ / : * ? \" < > |") + CrLf + NotSaved;
    if (name == QLatin1String(".") || name == QLatin1String("..") || IsDeviceName(name))
        return QStringLiteral("\"%1\" cannot be used as a Template name.").arg(name) + CrLf + NotSaved;
    if (name.size() > 200)
        return QStringLiteral("The Template name is too long (200 characters at most).") + CrLf + NotSaved;
    return {};
}

TemplateList ListTemplates() {
    TemplateList list;
    const QString folder = DataPath(TemplateFolder);
    if (folder.isEmpty())
        return list;
    const QStringList all = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System,
                                                   QDir::Name | QDir::IgnoreCase);
    list.anyFile = !all.isEmpty();
    for (const QString &name : all)
        if (name.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive))
            list.files << name;
    return list;
}

ReadBack<QString> LoadTemplate(const QString &fileName) {
    if (!IsPlainFileName(fileName))
        return {};
    auto result = ReadStoredText(InTemplates(fileName));
    if (result.ok())
        result.value = LoadTextIntoBody(result.value);
    return result;
}

ReadBack<QString> LoadDocument(const QString &fullPath) {
    ReadBack<QString> result;
    QFile file(fullPath);
    if (fullPath.isEmpty() || !file.exists())
        return result;
    if (!file.open(QIODevice::ReadOnly)) {
        result.outcome = ReadOutcome::Unreadable;
        return result;
    }
    result.outcome = ReadOutcome::Read;
    result.value = LoadTextIntoBody(TextCodec::DecodeDocument(file.readAll()));
    return result;
}

bool SaveTemplateFile(const QString &name, const QString &body) {
    if (!TemplateNameProblem(name).isEmpty())
        return false;
    return WriteWholeFile(InTemplates(name + QStringLiteral(".txt")), BodyFileBytes(body));
}

TemplateSave SaveBodyAsTemplate(const QString &body) {
    TemplateSave result;
    result.body = body;
    if (!body.contains(GenericTerms()))
        result.body += CrLf + CrLf + GenericTerms();

    const auto typed = Prompt().InputBox(QStringLiteral("Enter a Name for this Template"),
                                         QStringLiteral("Save New Template"), QString());
    const QString name = typed.value_or(QString());
    const QString problem = TemplateNameProblem(name);
    if (!problem.isEmpty()) {
        MsgBox(problem, MsgButtons::Ok, QStringLiteral("Template Name"));
        return result;
    }
    const QString fileName = name + QStringLiteral(".txt");
    const bool exists = FileExists(InTemplates(fileName));
    if (exists && MsgBox(QStringLiteral("A Template named ") + name + QStringLiteral(" already exists") + CrLf +
                             QStringLiteral("Click Yes to Replace it"),
                         MsgButtons::YesNo, QStringLiteral("Template Exists")) != MsgAnswer::Yes)
        return result;
    if (!SaveTemplateFile(name, result.body)) {
        ReportWriteFailure(fileName);
        return result;
    }
    result.saved = true;
    result.added = !exists;
    result.fileName = fileName;
    return result;
}

bool DeleteTemplate(const QString &fileName) {
    if (!IsPlainFileName(fileName))
        return false;
    if (MsgBox(QStringLiteral("This will DELETE Template ") + fileName, MsgButtons::YesNo,
               QStringLiteral("Delete Template")) == MsgAnswer::No)
        return false;
    if (!DeleteFile(InTemplates(fileName))) {
        MsgBox(QStringLiteral("The Template ") + fileName + QStringLiteral(" could not be deleted."), MsgButtons::Ok,
               QStringLiteral("Delete Template"));
        return false;
    }
    return true;
}
