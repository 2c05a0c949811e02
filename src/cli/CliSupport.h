#pragma once
// What the kavro-cli commands share: argument parsing, type and chip names, input and output files.

#include "model/FileIO.h"
#include "model/IntercomData.h"
#include "model/TypeCatalogue.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTextStream>

#include <memory>
#include <optional>
#include <vector>

// What is wrong with a command's arguments, if anything.
enum class ArgumentFault { None, MissingValue, UnknownOption };

// Positional arguments and options of one command, the one parser of every kavro-cli command.
// Options that take a value are named in `valueOptions`, the others in `flags`; anything else that
// starts with '-' (a lone "-" is positional) is an error, and parsing stops at the first error.
// A value option given twice keeps its last value.
class CommandLine {
public:
    CommandLine(const QStringList& args, const QStringList& valueOptions, const QStringList& flags);

    bool ok() const { return fault_ == ArgumentFault::None; }
    ArgumentFault fault() const { return fault_; }
    // The option that is unknown or lacks its value.
    const QString& faultyOption() const { return faultyOption_; }
    // "option -o needs a value" or "unknown option --fast"; empty when the arguments are fine.
    QString error() const;
    const QStringList& positional() const { return positional_; }
    bool has(const QString& option) const { return values_.contains(option) || flags_.contains(option); }
    QString value(const QString& option) const { return values_.value(option); }

private:
    QStringList positional_;
    QMap<QString, QString> values_;
    QStringList flags_;
    ArgumentFault fault_ = ArgumentFault::None;
    QString faultyOption_;
};

// Prints "kavro-cli: <message>" on stderr and returns `status`.
int Fail(int status, const QString& message);

// A type given as its index 0 to 10 or its list text, ignoring letter case.
std::optional<TDeviceType> ParseType(const QString& text);
// 24C16, 24C64, DS1995 or DS1996, ignoring letter case.
std::optional<ChipKind> ParseChip(const QString& text);

// How an input file was read.
enum class InputLayout { DataFile, OlderDataFile, Extended };
QString InputLayoutName(InputLayout layout);

// Reads a data file (either layout) into the record, or an extended file of 32324 bytes (the
// record followed by the 5000 extension key slots) into the whole store. The store changes only
// when the file is accepted; `error` names the file otherwise.
std::optional<InputLayout> LoadInputFile(const QString& path, IntercomStore& store, QString* error);


inline const QString OutOption = QStringLiteral("-o");
inline const QString FromOption = QStringLiteral("--from");

// The record as the program starts with it.
std::unique_ptr<IntercomStore> StartUpStore();

// Checks the positional arguments and the output option before anything is read; a status to
// exit with when they are wrong.
std::optional<int> CheckInvocation(const CommandLine& line, int positionals, const QString& usage, bool needsOut);

// A type argument; an unknown one is reported and `status` set.
std::optional<TDeviceType> TypeArgument(const QString& text, int* status);

// Messages of kavro-cli are in English.
inline constexpr Language CliLanguage = Language::English;

// The exit status for an output file's write; a failure names the file and the system's reason.
int WriteOutput(const FileResult& written);

// Writes the record (with the extension slots when `withExtension`) whole to `path`.
int WriteStore(const QString& path, const IntercomStore& store, bool withExtension);

// A data file opened as the window opens one: its type from its type name, or --from, and the
// record re-labelled with that type's name.
struct OpenedDocument {
    InputLayout layout;
    TDeviceType type;
};
std::optional<OpenedDocument> OpenAsDataFile(const CommandLine& line, const QString& path, IntercomStore& store,
                                             int* status);

// Prints a command's list on stdout: an indented JSON array of `toJson` of each item when `json`,
// otherwise `toText` of each item, one a line.
template <typename Item, typename ToJson, typename ToText>
void PrintList(const std::vector<Item>& items, bool json, ToJson toJson, ToText toText)
{
    QTextStream out(stdout);
    if (json) {
        QJsonArray list;
        for (const Item& item : items) list.append(toJson(item));
        out << QJsonDocument(list).toJson(QJsonDocument::Indented);
    } else {
        for (const Item& item : items) out << toText(item, CliLanguage) << '\n';
    }
}
