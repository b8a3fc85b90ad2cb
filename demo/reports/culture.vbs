' Wound culture, aerobic, with Gram stain and susceptibilities - report program released by
' Orvalis Reference Laboratory. Lines beginning "<" are headings, "<:" narrative text.
' Panel line: test|flag|value|units|range|previous|previous date|status|site|comment|code
LABID = 26120022
EXLABID = "MRN-119053"
PNAME = "HALVORSEN DIAZ, PETER JOHN"
BDATE = "9/30/1948"
BDATE1 = "19480930"
AGE = "78 Y"
SEX = "M"
PHYSICIAN = "NGUYEN PARK, DAVID ALAN"
ACCOUNT = "1001"
CLIENT = "RIVERSIDE FAMILY MEDICINE"
GENERICCODE = "WCULA"
DESCRIPTION = "CULTURE, WOUND AEROBIC WITH GRAM STAIN"
COLLECTED = "12/7/2026 16:20"
RECEIVED = "12/7/2026 19:05"
REPORTED = "12/10/2026 11:47"
PROCESSED1 = "202612101147"
ENTRYSYS1 = "202612071905"
PRINTED1 = "202612101147"
MTID = "MT0207"
DEPTID2 = "CU"
CTMPR = "Swab in Amies transport medium, left lower leg ulcer. Received at room temperature within 3 hours."
REPORTNOTE = "METHICILLIN-RESISTANT STAPHYLOCOCCUS AUREUS (MRSA) ISOLATED._Contact precautions are recommended per infection control policy._Susceptibility interpretations follow CLSI M100, 36th edition breakpoints._S = susceptible, I = intermediate, R = resistant. MIC values in ug/mL._Pseudomonas aeruginosa may develop resistance during prolonged therapy with any antibiotic;_isolates initially susceptible may become resistant within three to four days of starting therapy._Testing of repeat isolates may be warranted."
MTNOTES = "Preliminary report (Gram stain, growth of gram-positive cocci) telephoned to M. Ortiz RN on 12/8/2026 at 10:12 by MT0207. MRSA result telephoned to M. Ortiz RN on 12/9/2026 at 09:40, read back confirmed."
PANEL = ""
PANEL = PANEL & "<SPECIMEN SOURCE" & Chr(3)
PANEL = PANEL & "<:Wound, left lower leg, chronic venous ulcer. Deep swab after debridement." & Chr(3)
PANEL = PANEL & "<GRAM STAIN" & Chr(3)
PANEL = PANEL & "<:Many polymorphonuclear leukocytes (4+)." & Chr(3)
PANEL = PANEL & "<:Moderate gram-positive cocci in clusters (3+)." & Chr(3)
PANEL = PANEL & "<:Few gram-negative rods (1+)." & Chr(3)
PANEL = PANEL & "<:No squamous epithelial cells seen." & Chr(3)
PANEL = PANEL & "<CULTURE RESULT" & Chr(3)
PANEL = PANEL & "Isolate 1|A|Staphylococcus aureus|||||F|OR1|Heavy growth (4+). Methicillin resistant (MRSA).|MRSA" & Chr(3)
PANEL = PANEL & "Isolate 2|A|Pseudomonas aeruginosa|||||F|OR1|Moderate growth (3+).|PSAER" & Chr(3)
PANEL = PANEL & "Normal skin flora||Light growth|||||F|OR1||SKFLO" & Chr(3)
PANEL = PANEL & "<SUSCEPTIBILITY - ISOLATE 1: STAPHYLOCOCCUS AUREUS (MRSA)" & Chr(3)
PANEL = PANEL & "Cefoxitin Screen|R|Positive||Negative||||OR1||S-FOX" & Chr(3)
PANEL = PANEL & "Oxacillin|R|>=4|ug/mL|S<=2 R>=4||||OR1||S-OXA" & Chr(3)
PANEL = PANEL & "Penicillin|R|>=0.5|ug/mL|S<=0.12 R>=0.25||||OR1||S-PEN" & Chr(3)
PANEL = PANEL & "Ampicillin/Sulbactam|R|>=32|ug/mL|S<=8 R>=32||||OR1||S-AMS" & Chr(3)
PANEL = PANEL & "Cefazolin|R|>=64|ug/mL|S<=2 R>=8||||OR1||S-CFZ" & Chr(3)
PANEL = PANEL & "Ciprofloxacin|R|>=8|ug/mL|S<=1 R>=4||||OR1||S-CIP" & Chr(3)
PANEL = PANEL & "Levofloxacin|R|>=8|ug/mL|S<=1 R>=4||||OR1||S-LVX" & Chr(3)
PANEL = PANEL & "Erythromycin|R|>=8|ug/mL|S<=0.5 R>=8||||OR1||S-ERY" & Chr(3)
PANEL = PANEL & "Clindamycin|S|<=0.25|ug/mL|S<=0.5 R>=4||||OR1||S-CLI" & Chr(3)
PANEL = PANEL & "Inducible Clindamycin||Negative||Negative||||OR1||S-ICR" & Chr(3)
PANEL = PANEL & "Gentamicin|S|<=0.5|ug/mL|S<=4 R>=16||||OR1||S-GEN" & Chr(3)
PANEL = PANEL & "Tetracycline|S|<=1|ug/mL|S<=4 R>=16||||OR1||S-TET" & Chr(3)
PANEL = PANEL & "Doxycycline|S|<=0.5|ug/mL|S<=4 R>=16||||OR1||S-DOX" & Chr(3)
PANEL = PANEL & "Trimethoprim/Sulfa|S|<=10|ug/mL|S<=2/38 R>=4/76||||OR1||S-SXT" & Chr(3)
PANEL = PANEL & "Vancomycin|S|1|ug/mL|S<=2 R>=16||||OR1||S-VAN" & Chr(3)
PANEL = PANEL & "Linezolid|S|2|ug/mL|S<=4 R>=8||||OR1||S-LZD" & Chr(3)
PANEL = PANEL & "Daptomycin|S|0.5|ug/mL|S<=1||||OR1||S-DAP" & Chr(3)
PANEL = PANEL & "Rifampin|S|<=0.5|ug/mL|S<=1 R>=4||||OR1||S-RIF" & Chr(3)
PANEL = PANEL & "<SUSCEPTIBILITY - ISOLATE 2: PSEUDOMONAS AERUGINOSA" & Chr(3)
PANEL = PANEL & "Amikacin|S|4|ug/mL|S<=16 R>=64||||OR1||S-AMK" & Chr(3)
PANEL = PANEL & "Aztreonam|I|16|ug/mL|S<=8 R>=32||||OR1||S-ATM" & Chr(3)
PANEL = PANEL & "Cefepime|S|2|ug/mL|S<=8 R>=32||||OR1||S-FEP" & Chr(3)
PANEL = PANEL & "Ceftazidime|S|4|ug/mL|S<=8 R>=32||||OR1||S-CAZ" & Chr(3)
PANEL = PANEL & "Ceftolozane/Tazobactam|S|1|ug/mL|S<=4 R>=16||||OR1||S-C/T" & Chr(3)
PANEL = PANEL & "Ciprofloxacin|R|4|ug/mL|S<=0.5 R>=2||||OR1||S-CIP" & Chr(3)
PANEL = PANEL & "Levofloxacin|R|>=8|ug/mL|S<=1 R>=4||||OR1||S-LVX" & Chr(3)
PANEL = PANEL & "Gentamicin|S|2|ug/mL|S<=4 R>=16||||OR1||S-GEN" & Chr(3)
PANEL = PANEL & "Tobramycin|S|<=1|ug/mL|S<=1 R>=4||||OR1||S-TOB" & Chr(3)
PANEL = PANEL & "Imipenem|S|2|ug/mL|S<=2 R>=8||||OR1||S-IPM" & Chr(3)
PANEL = PANEL & "Meropenem|S|<=0.25|ug/mL|S<=2 R>=8||||OR1||S-MEM" & Chr(3)
PANEL = PANEL & "Piperacillin/Tazobactam|S|8|ug/mL|S<=16 R>=128||||OR1||S-TZP" & Chr(3)
