// Checks exported HL7 2.3 ORU^R01 files with two independent parsers: hl7v2 in strict mode
// (field data types) and Redox's grammar-driven parser (required segments and groups).
// Usage: node check.mjs FILE|FOLDER...   (a folder: its *.hl7 files). Exit 0 when all pass.
import { readFileSync, readdirSync, statSync } from 'node:fs';
import { join } from 'node:path';
import { createRequire } from 'node:module';
import { HL7Message } from 'hl7v2';

const require = createRequire(import.meta.url);
const Redox = require('@redoxengine/redox-hl7-v2');

function checkStrict(text) {
    const msg = HL7Message.parse(Buffer.from(text, 'latin1'), { strict: true });
    if (msg.messageType !== 'ORU^R01') throw new Error(`message type ${msg.messageType}`);
    msg.buildStructureTree();
    // The structure tree accepts an OBX before its OBR, so the order is checked here.
    let seenObr = false;
    for (const seg of msg.segments) {
        if (seg.segmentType === 'OBR') seenObr = true;
        if (seg.segmentType === 'OBX' && !seenObr) throw new Error('OBX before OBR');
    }
}

function checkGrammar(text) {
    new Redox.Parser().parse(text);
}

const files = process.argv.slice(2).flatMap((arg) => statSync(arg).isDirectory()
    ? readdirSync(arg).filter((name) => name.endsWith('.hl7')).sort().map((name) => join(arg, name))
    : [arg]);
if (files.length === 0) {
    console.error('no messages to check');
    process.exit(1);
}
let failed = 0;
for (const file of files) {
    const text = readFileSync(file).toString('latin1');
    for (const [name, check] of [['hl7v2 strict', checkStrict], ['redox grammar', checkGrammar]]) {
        try {
            check(text);
        } catch (e) {
            failed++;
            console.error(`${file}: ${name}: ${e.message}`);
        }
    }
}
console.log(failed ? `${failed} check(s) failed` : `${files.length} messages accepted by both checkers`);
process.exit(failed ? 1 : 0);
