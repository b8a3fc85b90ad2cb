// The statements of a report refresh and of a copy search at the laboratory, and the rules that
// turn what the user typed into a search value. A number searches the sample number; anything
// else is quoted and searches the laboratory's second identifier or the name.
#pragma once

#include "store/ReportChannel.h"

#include <QDate>
#include <QString>
#include <optional>

namespace tv::intake {

enum class CopySearchKind { WorkDate = 0, LabId = 1, Name = 2 };

/// Page 0's value: the picked date as mm/dd/yyyy.
QString workDateValue(const QDate& date);

/// Page 2's value from Paternal, Maternal and Name: "P M, N" or "P, N" (trimmed); nothing when
/// neither form is complete.
std::optional<QString> copyNameValue(const QString& paternal, const QString& maternal, const QString& name);
inline const QString kNameSearchInstruction =
    QStringLiteral("Search needs at least \"PATERNAL MATERNAL\" or \"LASTNAME, NAME\" ");
inline const QString kNameSearchContent = QStringLiteral("enter complete search info and try again");

QString copySearchStatement(store::Channel channel, CopySearchKind kind, const QString& value, int account);

/// The laboratory's current release of one report.
QString refreshStatement(store::Channel channel, int labId, const QString& genericCode, int account);
/// Marks a refreshed report unprinted in the local store.
QString markUnprintedStatement(store::Channel channel, int labId, const QString& genericCode);

} // namespace tv::intake
