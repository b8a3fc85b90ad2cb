// A stored report list as a download from the demo laboratory leaves it: the laboratory's own
// report programs (or, for the reference channel, its page pictures and HL7 message), each
// stamped with a patient of its own, stored through the client's procedures.
#pragma once

#include "lab/DemoCatalogue.h"
#include "lab/DemoReports.h"
#include "store/Connection.h"
#include "store/ReportProcedures.h"

namespace tv::exports::testing {

/// The report at `index` of a demo list: the demo programs in turn, one patient each.
inline lab::ReportStamp demoStamp(int index)
{
    const auto pick = [index](const QStringList& names, int step) { return names[(index * step) % names.size()]; };
    lab::ReportStamp s;
    s.labId = 27000001 + index;
    s.exLabId = QStringLiteral("MRN-%1").arg(400000 + index * 7);
    const bool female = index % 2 == 0;
    s.name = pick(lab::demo::paternalNames(), 3) + QLatin1Char(' ') + pick(lab::demo::maternalNames(), 5) +
             QStringLiteral(", ") + pick(female ? lab::demo::femaleNames() : lab::demo::maleNames(), 7);
    s.sex = female ? QStringLiteral("F") : QStringLiteral("M");
    s.birthDate = QDate(1950, 1, 1).addDays(index * 97 % 20000);
    s.age = s.birthDate.daysTo(QDate(2026, 12, 1)) / 365;
    s.physician = pick(lab::demo::physicians(), 1);
    s.account = 1001;
    s.received = QDateTime(QDate(2026, 12, 1), QTime(7, 0)).addSecs(index * 60);
    s.collected = s.received.addSecs(-3600);
    s.processed = s.received.addSecs(3 * 3600);
    s.released = s.processed.addSecs(20 * 60);
    return s;
}

/// Stores `count` demo reports in the normal channel, or the reference channel's tables; an error or empty.
inline QString storeDemoReports(store::Connection& db, int count, bool reference)
{
    const QList<lab::ReportTemplate> templates = lab::demoReportTemplates();
    if (templates.isEmpty()) return QStringLiteral("no demo report programs");
    // The reference channel keeps only the installation's own account's reports.
    if (const store::StoreResult account = db.executeProcedure("ADD_CONFIG", {"USER.ACCOUNT", "1001", ""}); !account.ok)
        return account.message;
    for (int i = 0; i < count; ++i) {
        const lab::ReportTemplate& t = templates[i % templates.size()];
        const lab::ReportStamp s = demoStamp(i);
        store::PatientHeader h;
        h.labId = s.labId;
        h.name = s.name;
        h.sex = s.sex;
        h.birthDate = s.birthDate;
        h.age = s.age;
        h.ageUnit = QStringLiteral("Y");
        h.account = s.account;
        h.workDate = s.received.date();
        h.process = s.processed;
        h.physician = s.physician;
        h.exLabId = s.exLabId;
        h.genericCode = t.code;
        h.description = t.description;
        h.batch = s.released;
        const store::StoreResult patient =
            db.executeProcedure(reference ? "ADD_PATIENT_LC" : "ADD_PATIENT", store::addPatientValues(h));
        const store::StoreResult report =
            !patient.ok ? patient
            : reference
                ? db.executeProcedure("ADD_REPORT_LC",
                                      {s.labId, t.code, lab::referencePages(t, s), lab::referenceHl7(t, s)})
                : db.executeProcedure("ADD_REPORT", store::addReportValues(s.labId, t.code, lab::stampProgram(t, s)));
        if (!report.ok) return report.message;
    }
    return {};
}

} // namespace tv::exports::testing
