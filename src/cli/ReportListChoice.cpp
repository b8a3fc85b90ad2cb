#include "cli/ReportListChoice.h"

#include "intake/LabLink.h"

#include <optional>

namespace tv::cli {

namespace {

std::optional<ReportListChoice::Kind> kindOf(const QString& option)
{
    using Kind = ReportListChoice::Kind;
    const std::pair<const char*, Kind> options[] = {{"--work-date", Kind::WorkDate},
                                                    {"--download-date", Kind::DownloadDate},
                                                    {"--batch", Kind::Batch},
                                                    {"--labid", Kind::LabId},
                                                    {"--name", Kind::Name}};
    for (const auto& [name, kind] : options)
        if (option == QLatin1String(name)) return kind;
    return std::nullopt;
}

} // namespace

ListOption readListOption(const QStringList& args, qsizetype& i, ReportListChoice& choice, QString& error)
{
    using Kind = ReportListChoice::Kind;
    const QString& a = args[i];
    if (a == QLatin1String("--printed")) {
        choice.filter = store::PrintedFilter::Printed;
        return ListOption::Taken;
    }
    if (a == QLatin1String("--unprinted")) {
        choice.filter = store::PrintedFilter::NonPrinted;
        return ListOption::Taken;
    }
    if (a == QLatin1String("--reference")) {
        choice.reference = true;
        return ListOption::Taken;
    }
    const std::optional<Kind> kind = kindOf(a);
    if (!kind) return ListOption::NotMine;
    if (i + 1 >= args.size()) {
        error = QStringLiteral("%1 needs a value").arg(a);
        return ListOption::Wrong;
    }
    const QString& value = args[++i];
    choice.kind = *kind;
    if (kind == Kind::WorkDate || kind == Kind::DownloadDate) {
        choice.date = intake::readDate(value).value_or(QDate());
        if (!choice.date.isValid()) {
            error = QStringLiteral("%1 needs a date (yyyy-mm-dd or mm/dd/yyyy)").arg(a);
            return ListOption::Wrong;
        }
    } else if (kind == Kind::Batch) {
        choice.batch = QDateTime::fromString(value, Qt::ISODateWithMs);
        if (!choice.batch.isValid()) {
            error = QStringLiteral("--batch needs a moment (yyyy-mm-ddThh:mm:ss)");
            return ListOption::Wrong;
        }
        choice.date = choice.batch.date();
    } else {
        choice.typed = value;
    }
    return ListOption::Taken;
}

QString listOptionsUsage()
{
    return QStringLiteral("[--work-date D|--download-date D|--batch T|--labid N|--name P] [--printed|--unprinted] "
                          "[--reference]");
}

bool openChosenList(store::ReportList& list, const ReportListChoice& choice, const QDate& today)
{
    using Kind = ReportListChoice::Kind;
    if (choice.reference != list.referenceMode() && !list.switchReferenceMode(today)) return false;
    const QDate date = choice.date.isValid() ? choice.date : today;
    list.setPickerDate(date);
    list.setPrintedFilter(choice.filter);
    switch (choice.kind) {
    case Kind::WorkDate:
        return list.ListByWorkDate(date);
    case Kind::Batch:
        return list.ListByBatch(choice.batch);
    case Kind::LabId:
        return list.searchByLabId(choice.typed);
    case Kind::Name:
        return list.searchByName(choice.typed);
    case Kind::DownloadDate:
        break;
    }
    return list.ListByBatchDate(date);
}

} // namespace tv::cli
