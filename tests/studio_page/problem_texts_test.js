// Every problem code the engine gives (showpack's table, through the
// binding) has its wording in the page's texts in English and Japanese, and
// every wording there answers a code: a finding by its own code, a fault of
// a name or a sound by the fault's code in Japanese (in English a fault is
// worded by showpack's reason, which the finding carries).  Each wording is
// called with every value its code carries, and every fault with each
// finding that carries one, and must say something without an "undefined".
//   node problem_texts_test.js STUDIO_ENGINE TEXTS
// (the engine make studio builds, the page's texts.js).  Exits 77 (skipped)
// when the engine has not been built.
'use strict';
const fs = require('fs');
const path = require('path');
const {pathToFileURL} = require('url');

const [engineFile, textsFile] = process.argv.slice(2).map((file) => path.resolve(file));
const failures = [];

function check(what, passed) {
  if (!passed) failures.push(what);
}


// Each value named after itself, but those the wordings choose by.
function sampleValues(names, fault) {
  const values = Object.fromEntries(names.map((name) => [name, `<${name}>`]));
  for (const kind of ['kind', 'otherKind']) if (kind in values) values[kind] = 'sound';
  if (fault) Object.assign(values, sampleValues(fault.values), {fault: fault.code});
  return values;
}

async function main() {
  if (!fs.existsSync(engineFile)) {
    console.log(`skipped: there is no ${engineFile} (make studio)`);
    process.exit(77);
  }
  const engine = await require(engineFile)();
  const codes = engine.problemCodes();
  // The page's module as it stands (its folder says its scripts are modules).
  const {studioProblemTexts, studioFaultTexts} = await import(pathToFileURL(textsFile));
  const findings = codes.filter((entry) => entry.kind === 'finding');
  const faults = codes.filter((entry) => entry.kind !== 'finding');
  check('the engine lists findings and faults', findings.length > 0 && faults.length > 0);

  for (const language of ['en', 'ja']) {
    const worded = studioProblemTexts[language];
    for (const finding of findings) {
      const wording = worded[finding.code];
      check(`${language}: ${finding.code} has a wording`, typeof wording === 'function');
      if (typeof wording !== 'function') continue;
      const carried = finding.values.includes('fault') ? faults : [null];
      for (const fault of carried) {
        const text = wording(sampleValues(finding.values, fault));
        check(`${language}: ${finding.code}${fault ? ` (${fault.code})` : ''} is worded from its values`,
              typeof text === 'string' && text.length > 0 && !text.includes('undefined'));
      }
    }
    const known = new Set(findings.map((finding) => finding.code));
    for (const code of Object.keys(worded)) check(`${language}: ${code} is a code`, known.has(code));
  }
  for (const fault of faults) {
    check(`ja: the fault ${fault.code} has a wording`, typeof studioFaultTexts.ja[fault.code] === 'function');
  }
  const faultCodes = new Set(faults.map((fault) => fault.code));
  for (const code of Object.keys(studioFaultTexts.ja)) check(`ja: ${code} is a fault`, faultCodes.has(code));

  for (const failure of failures) console.log(`FAILED: ${failure}`);
  console.log(`${findings.length} findings and ${faults.length} faults, ${failures.length} failures`);
  process.exit(failures.length ? 1 : 0);
}

main().catch((error) => {
  console.error(error);
  process.exit(1);
});
