#include "lab/DemoCatalogue.h"

#include <QUrl>

namespace tv::lab::demo {

namespace {

QString crlf(const QStringList& lines)
{
    return lines.join(QLatin1String("\r\n")) + QLatin1String("\r\n");
}

// A vendor's own export program: one flat text file per report, values separated by "|".
const char* const flatFileExport = R"(' MediChart flat-file export, version 3.2 (vendor-supplied)
Sub Export(FilePath)
    Dim fso, f, lines, i, parts
    If DEPTID2 = "CU" Then Exit Sub
    Set fso = CreateObject("Scripting.FileSystemObject")
    Set f = fso.CreateTextFile(FilePath & "MC_" & LABID & "_" & GENERICCODE & ".TXT", True)
    f.WriteLine "H|" & LABID & "|" & EXLABID & "|" & PNAME & "|" & BDATE1 & "|" & SEX
    f.WriteLine "O|" & GENERICCODE & "|" & DESCRIPTION & "|" & PROCESSED1 & "|" & PHYSICIAN
    lines = Split(PANEL, Chr(3))
    For i = 0 To UBound(lines) - 1
        If Left(lines(i), 1) <> "<" Then
            parts = Split(lines(i) & "|||||||||||", "|")
            f.WriteLine "R|" & parts(10) & "|" & parts(0) & "|" & parts(2) & "|" & parts(3) & "|" & parts(4) & "|" & parts(1)
        End If
    Next
    f.WriteLine "N|" & Replace(REPORTNOTE, "_", " ")
    f.Close
End Sub
)";

QString helpTopics()
{
    const QStringList topics = {
        QStringLiteral("Getting started|<h1>Getting started</h1><p>Press Download to fetch the results the "
                       "laboratory released since your last download. Reports appear in the list; select one "
                       "to preview it.</p>"),
        QStringLiteral("Printing and export|<h1>Printing and export</h1><p>Choose Print, pick the reports and "
                       "press Print. With Export Results checked each report is also written as an HL7 "
                       "file for your EMR.</p>"),
        QStringLiteral("Reference laboratory results|<h1>Reference laboratory results</h1><p>Tests sent out to "
                       "our reference laboratory arrive as page pictures. Switch to Reference mode to see "
                       "them.</p>"),
        QStringLiteral("Contact customer service|<h1>Customer service</h1><p>Call (787) 555-0142, Monday to "
                       "Saturday 6:00 am to 8:00 pm, or send a message with the Mail button.</p>"),
    };
    QStringList lines;
    for (qsizetype i = 0; i < topics.size(); ++i) {
        const QString caption = topics[i].section(QLatin1Char('|'), 0, 0);
        const QString html = topics[i].section(QLatin1Char('|'), 1);
        lines << QStringLiteral("%1=%2|data:text/html;charset=utf-8,%3")
                     .arg(i + 1)
                     .arg(caption, QString::fromLatin1(QUrl::toPercentEncoding(html)));
    }
    return crlf(lines);
}

} // namespace

const QList<Account>& accounts()
{
    static const QList<Account> list = {
        {1001, "RIVERSIDE FAMILY MEDICINE", "(787) 555-0100", "(787) 555-0101", "DR. DAVID NGUYEN", "SAN JUAN", "00907",
         "F", "Y", "FRONTDESK", "river1001", "MEDICHART"},
        {1002, "HARBOR PEDIATRICS", "(787) 555-0200", "(787) 555-0201", "DR. ROSA MENDEZ", "PONCE", "00716", "T",
         nullptr, "HARBOR", "harbor1002", "CLINICDESK"},
        {1003, "WESTSIDE WALK-IN CLINIC", "(787) 555-0300", "(787) 555-0301", "WESTSIDE HEALTH LLC", "MAYAGUEZ",
         "00680", "F", "N", "WESTSIDE", "west1003", "CLINICDESK"},
    };
    return list;
}

QList<Vendor> vendors()
{
    return {
        {"MEDICHART", "2026-03-01",
         crlf({QStringLiteral("[EXPORT]"), QStringLiteral("REPIMAGE="), QStringLiteral("REPDATA="),
               QStringLiteral("REPIMAGEDATA=")}),
         QString::fromLatin1(flatFileExport).replace(QLatin1String("\n"), QLatin1String("\r\n")),
         crlf({QStringLiteral("[HL7]"), QStringLiteral("EXTRAFIELDS=INSURANCE=IN1-36:MRN=PID-4"),
               QStringLiteral("[IMPORT]"), QStringLiteral("FOLDER=")}),
         crlf({QStringLiteral("; MediChart order import map"), QStringLiteral("PID-3=LABID"),
               QStringLiteral("PID-5=PNAME"), QStringLiteral("OBR-4=GENERICCODE")})},
        // No export program of its own: installations keep the built-in HL7 export.
        {"CLINICDESK", "2025-11-15",
         crlf({QStringLiteral("[EXPORT]"), QStringLiteral("REPIMAGE="), QStringLiteral("REPDATA="),
               QStringLiteral("REPIMAGEDATA=")}),
         QStringLiteral("   "), crlf({QStringLiteral("[HL7]"), QStringLiteral("EXTRAFIELDS=")}), QString()},
    };
}

QList<ConfigRow> configRows(const QString& pageScript)
{
    return {
        {"WEB", "SYSTEM.PAGE", QString(), pageScript},
        {"WEB", "HELP.URL", QString(), helpTopics()},
        {"WEB", "ORVALIS.WEB", QStringLiteral("https://www.orvalis-lab.example/customers"), QString()},
        {"WEB9", "PROGRAM.WR", QStringLiteral("10.0"), QString()},
        {"WEB9", "UPDATE.WR", QStringLiteral("https://downloads.orvalis-lab.example/tallyvane/setup-10.0.exe"),
         QString()},
        // Not a client section: a client must never receive it.
        {"LAB", "COURIER.ROUTE", QStringLiteral("NORTH-2"), QString()},
    };
}

QList<Message> messages()
{
    return {
        {0, "S", 12, 9 * 60 + 5, "Customer Service", "Holiday schedule",
         QStringLiteral("The laboratory closes on December 25 and January 1.\r\nSTAT testing stays available "
                        "around the clock."),
         "$"},
        {1001, "S", 6, 15 * 60 + 17, "Customer Service", "Specimen rejected",
         QStringLiteral("A serum sample received for RIVERA LOPEZ, ANA was hemolyzed.\r\nPlease recollect; the "
                        "order stays open for 7 days."),
         "$"},
        {1001, "D", 5, 10 * 60, "Customer Service", "Draft: supply order", QStringLiteral("Not sent yet."), "$"},
        {1002, "S", 4, 8 * 60 + 40, "Billing", "Account on hold",
         QStringLiteral("Your account is on hold for an open balance.\r\nCall (787) 555-0142."), "$"},
        {0, "S", 2, 0 * 60 + 5, "Quality Department", "New reference ranges for vitamin D",
         QStringLiteral("From Monday, 25-OH vitamin D reports show the updated ranges:\r\n  Deficient < 20 "
                        "ng/mL\r\n  Insufficient 20-29 ng/mL\r\n  Sufficient 30-100 ng/mL"),
         "I"},
        {1001, "S", 0, 7 * 60 + 30, "Courier Desk", "Pickup time change",
         QStringLiteral("From today the afternoon pickup at your office is at 4:30 pm."), "I"},
    };
}

const QStringList& paternalNames()
{
    static const QStringList names = {"RIVERA", "GARCIA", "MARTINEZ", "RODRIGUEZ", "LOPEZ", "SANTIAGO",
                                      "TORRES", "SMITH",  "JOHNSON",  "WILLIAMS",  "BROWN", "NGUYEN",
                                      "COLON",  "DIAZ",   "MORALES",  "CRUZ",      "REYES", "ORTIZ",
                                      "VEGA",   "MILLER", "DAVIS",    "WILSON"};
    return names;
}

const QStringList& maternalNames()
{
    static const QStringList names = {"LOPEZ",   "PEREZ",  "GONZALEZ", "RAMOS", "FIGUEROA", "MEDINA", "CASTRO",
                                      "ROSARIO", "NIEVES", "SOTO",     "",      "",         "",       ""};
    return names;
}

const QStringList& femaleNames()
{
    static const QStringList names = {"ANA",   "MARIA ELENA", "CARMEN", "SOFIA",    "LAURA", "ISABEL",
                                      "EMILY", "GRACE",       "LUCIA",  "PATRICIA", "ROSA",  "JANET"};
    return names;
}

const QStringList& maleNames()
{
    static const QStringList names = {"JOSE",  "LUIS",   "CARLOS", "JAMES EARL", "MIGUEL ANGEL", "DAVID",
                                      "PEDRO", "ROBERT", "JUAN",   "MICHAEL",    "ANTONIO",      "THOMAS"};
    return names;
}

const QStringList& physicians()
{
    static const QStringList names = {"NGUYEN PARK, DAVID ALAN", "MENDEZ ORTIZ, ROSA", "SHAH, PRIYA",
                                      "COLON VEGA, RAFAEL", "BROWN, EMILY JANE"};
    return names;
}

} // namespace tv::lab::demo
