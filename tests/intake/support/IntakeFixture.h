// Shared set-up of the intake tests: a real embedded store in a temporary installation folder
// (full schema, both channels, account 1001), a loopback HTTPS server standing in for the
// laboratory whose answers each test scripts by statement, and a clock the test sets.
#pragma once

#include "intake/ResultDownload.h"
#include "store/Connection.h"
#include "support/RemoteFixture.h"

#include <QDateTime>
#include <QStringList>

namespace tv::intake::test {

struct ReportSpec {
    ReportSpec(int id, QString genericCode, QDateTime released)
        : labId(id), code(std::move(genericCode)), process(std::move(released))
    {
    }

    int labId = 0;
    QString code;
    QDateTime process;
    QVariant printed;
    QString name = QStringLiteral("PEREZ RIVERA, ANA");
    QVariant birthDate = QDate(1970, 3, 5);
    QDate workDate = QDate(2026, 12, 10);
    int account = 1001;
};

/// The columns of the laboratory's report views (with HL7 when `withHl7`).
remote::Rowset reportRowset(const QList<ReportSpec>& reports, bool withHl7);
/// The table without column `name`.
void dropColumn(remote::Rowset& rows, const QString& name);

class IntakeFixture : public remote::test::RemoteFixture {
protected:
    using Lab = std::function<remote::test::CannedReply(const QString& sql)>;

    void SetUp() override;

    /// Every statement the laboratory received (queries and unpacked scripts), in order.
    QStringList m_statements;
    /// Answers the laboratory's queries and scripts; a query nobody answers gets an empty table.
    void setLab(Lab lab) { m_lab = std::move(lab); }
    static remote::test::CannedReply answer(const remote::Rowset& rows);

    IntakeContext& context();
    store::Connection m_db;
    QDateTime m_now = QDateTime(QDate(2026, 12, 11), QTime(9, 30, 0));

    /// Rows of a local statement, each as its text values joined by "|".
    QStringList localRows(const QString& sql);
    int count(const QString& table);

private:
    Lab m_lab;
    std::unique_ptr<IntakeContext> m_context;
};

} // namespace tv::intake::test
