// Checks the verb trainer's forms against an independent source, the
// conjugated verb database of the npm package verbos (one JSON file per
// verb), and checks the marking of the irregular parts.
//
//   node conjugatorcheck.mjs DUMPFILE DEVIATIONSFILE
//
// DUMPFILE holds one line per form, as "verbtool dump" writes it:
//   verbindex TAB infinitive TAB tense TAB person TAB form
// for all 16 tenses x 6 persons of every verb, the form as stored (with its
// "*", possibly empty).
//
// DEVIATIONSFILE lists the reviewed places where our form is right and the
// database's is not, one per line:
//   infinitive TAB tense TAB person TAB our form TAB reason
// or, for a verb the database does not hold at all,
//   infinitive TAB - TAB - TAB - TAB reason
// Lines starting with "#" and blank lines are ignored.
//
// What is compared: every tense the database has, compound tenses, gerund
// and participle included; both forms of "-ra/-se" in the imperfect and the
// pluperfect subjunctive; the imperative for tú, usted, vosotros and
// ustedes. The database has no nosotros imperative; ours is compared with
// the database's nosotros form of the present subjunctive, which is what the
// affirmative imperative takes.
//
// The marking: a form that equals the one the regular model gives (stem =
// infinitive without its last two letters, plus the regular ending) has no
// "*"; any other form has one "*", where it first departs from the regular
// form, or in front when the form is the regular one cut short (ten, sal,
// ha), so that a "*" never ends a form.
//
// Exit status: 0 all forms agree or are listed; 1 a difference not listed, a
// verb missing from the database and not listed, a listed deviation that no
// longer occurs, a form in the wrong place or with a wrong mark; 2 wrong
// usage or unreadable input; 77 the database cannot be read (1 instead when
// ZVK_REQUIRE_CONJUGATOR=1).

import fs from 'node:fs';
import path from 'node:path';

const TENSE_NAMES = [
  'IND Presente', 'IND Imperfecto', 'Pret. indefinido', 'Futuro', 'SUB Presente', 'SUB Imperfecto',
  'Imperativo', 'Condicional', 'IND Pret. perf.', 'IND Pluscuamp.', 'Pret. anterior', 'Fut. perf.',
  'SUB Pret. perf.', 'SUB Pluscuamp.', 'Participios', 'Cond. perf.',
];
const PERSONS = ['yo', 'tú', 'él', 'nosotros', 'vosotros', 'ellos'];
const IMPERATIVE_PERSONS = ['-', 'tú', 'usted', 'nosotros', 'vosotros', 'ustedes'];
const PARTICIPLE_PERSONS = ['gerundio', 'participio', '-', '-', '-', '-'];
const IMPERATIVO = 6;
const PARTICIPIOS = 14;
const SUB_IMPERFECTO = 5;
const SUB_PLUSCUAMP = 13;
// Tenses whose forms carry the "*" of the irregular part.
const MARKED_TENSES = new Set([0, 1, 2, 3, 4, 5, 6, 7, 14]);
const COMPOUND_TENSES = new Set([8, 9, 10, 11, 12, 13, 15]);

// Where the database keeps each of our tenses: mood and tense, for tense 5
// and 13 the -ra and the -se form.
const DATABASE_TENSE = {
  0: [['indicativo', 'presente']],
  1: [['indicativo', 'imperfecto']],
  2: [['indicativo', 'preterito']],
  3: [['indicativo', 'futuro']],
  4: [['subjuntivo', 'presente']],
  5: [['subjuntivo', 'imperfecto'], ['subjuntivo', 'imperfectoAlt']],
  7: [['indicativo', 'condicional']],
  8: [['indicativo', 'presentePerfecto']],
  9: [['indicativo', 'pluscuamperfecto']],
  10: [['indicativo', 'preteritoAnterior']],
  11: [['indicativo', 'futuroPerfecto']],
  12: [['subjuntivo', 'presentePerfecto']],
  13: [['subjuntivo', 'pluscuamperfecto'], ['subjuntivo', 'pluscuamperfectoAlt']],
  15: [['indicativo', 'condicionalPerfecto']],
};
// The database's persons for our persons 0..5; in the imperative ("afirmativo")
// it has no yo and no nosotros.
const DATABASE_PERSONS = ['yo', 'tu', 'ud', 'nosotros', 'vosotros', 'uds'];
const DATABASE_IMPERATIVE_PERSONS = [null, 'tu', 'ud', null, 'vosotros', 'uds'];

// The regular model: endings of -ar, -er and -ir for the marked tenses.
const ENDINGS = {
  ar: {
    0: ['o', 'as', 'a', 'amos', 'áis', 'an'],
    1: ['aba', 'abas', 'aba', 'ábamos', 'abais', 'aban'],
    2: ['é', 'aste', 'ó', 'amos', 'asteis', 'aron'],
    3: ['aré', 'arás', 'ará', 'aremos', 'aréis', 'arán'],
    4: ['e', 'es', 'e', 'emos', 'éis', 'en'],
    ra: ['ara', 'aras', 'ara', 'áramos', 'arais', 'aran'],
    se: ['ase', 'ases', 'ase', 'ásemos', 'aseis', 'asen'],
    6: ['', 'a', 'e', 'emos', 'ad', 'en'],
    7: ['aría', 'arías', 'aría', 'aríamos', 'aríais', 'arían'],
    14: ['ando', 'ado'],
  },
  er: {
    0: ['o', 'es', 'e', 'emos', 'éis', 'en'],
    1: ['ía', 'ías', 'ía', 'íamos', 'íais', 'ían'],
    2: ['í', 'iste', 'ió', 'imos', 'isteis', 'ieron'],
    3: ['eré', 'erás', 'erá', 'eremos', 'eréis', 'erán'],
    4: ['a', 'as', 'a', 'amos', 'áis', 'an'],
    ra: ['iera', 'ieras', 'iera', 'iéramos', 'ierais', 'ieran'],
    se: ['iese', 'ieses', 'iese', 'iésemos', 'ieseis', 'iesen'],
    6: ['', 'e', 'a', 'amos', 'ed', 'an'],
    7: ['ería', 'erías', 'ería', 'eríamos', 'eríais', 'erían'],
    14: ['iendo', 'ido'],
  },
  ir: {
    0: ['o', 'es', 'e', 'imos', 'ís', 'en'],
    1: ['ía', 'ías', 'ía', 'íamos', 'íais', 'ían'],
    2: ['í', 'iste', 'ió', 'imos', 'isteis', 'ieron'],
    3: ['iré', 'irás', 'irá', 'iremos', 'iréis', 'irán'],
    4: ['a', 'as', 'a', 'amos', 'áis', 'an'],
    ra: ['iera', 'ieras', 'iera', 'iéramos', 'ierais', 'ieran'],
    se: ['iese', 'ieses', 'iese', 'iésemos', 'ieseis', 'iesen'],
    6: ['', 'e', 'a', 'amos', 'id', 'an'],
    7: ['iría', 'irías', 'iría', 'iríamos', 'iríais', 'irían'],
    14: ['iendo', 'ido'],
  },
};

function personName(tense, person) {
  if (tense === IMPERATIVO) return IMPERATIVE_PERSONS[person];
  if (tense === PARTICIPIOS) return PARTICIPLE_PERSONS[person];
  return PERSONS[person];
}

const plain = (form) => form.replaceAll('*', '');

// -ar, -er or -ir ("oír" is an -ir verb), or null.
function conjugationClass(infinitive) {
  const ending = infinitive.slice(-2).replace('á', 'a').replace('é', 'e').replace('í', 'i');
  return ENDINGS[ending] ? ending : null;
}

// The form the regular model gives: stem (infinitive minus its last two
// letters) plus the ending.
function regularForm(infinitive, tense, person) {
  const cls = conjugationClass(infinitive);
  if (!cls) return null;
  const stem = infinitive.slice(0, -2);
  const endings = ENDINGS[cls];
  if (tense === SUB_IMPERFECTO) return `${stem}${endings.ra[person]}/${stem}${endings.se[person]}`;
  if (tense === PARTICIPIOS) return person < 2 ? stem + endings[14][person] : null;
  return stem + endings[tense][person];
}

// The marking our convention asks for: no "*" when the form equals the
// regular one, otherwise a "*" where the two first differ; when the form
// ends before it differs (the regular form cut short: ten for tene, ha for
// habe) the whole form is irregular and the "*" goes in front.
function expectedMarking(form, regular) {
  if (form === regular) return form;
  let i = 0;
  while (i < form.length && i < regular.length && form[i] === regular[i]) ++i;
  if (i === form.length) i = 0;
  return `${form.slice(0, i)}*${form.slice(i)}`;
}

function fail(message, status) {
  console.error(`conjugatorcheck: ${message}`);
  process.exit(status);
}

// The database's file name of an infinitive: without accents, "ñ" as "ny"
// (oír is "oir", añadir "anyadir"). haber is the auxiliary in our file; the
// database keeps it apart from the impersonal haber ("hay").
function databaseName(infinitive) {
  if (infinitive === 'haber') return 'haber_verboaux';
  return infinitive.replaceAll('ñ', 'ny').normalize('NFD').replace(/[\u0300-\u036f]/g, '');
}

function loadDatabase() {
  const dir = path.resolve(process.env.ZVK_NODE_MODULES || '/usr/local/lib/zvk-node/node_modules');
  const packageDir = path.join(dir, 'verbos');
  const verbsDir = path.join(packageDir, 'verbs');
  try {
    const { version } = JSON.parse(fs.readFileSync(path.join(packageDir, 'package.json'), 'utf8'));
    const hablar = JSON.parse(fs.readFileSync(path.join(verbsDir, 'hablar.json'), 'utf8'));
    if (hablar?.indicativo?.presente?.yo !== 'hablo') throw new Error('verbs/hablar.json does not give "hablo"');
    return { verbsDir, version };
  } catch (e) {
    const required = process.env.ZVK_REQUIRE_CONJUGATOR === '1';
    console.error(`conjugatorcheck: the verb database verbos cannot be read from ${dir} (${String(e.message).split('\n')[0]}); ` +
                  (required ? 'it is required (ZVK_REQUIRE_CONJUGATOR=1)' :
                              'skipped (install it with scripts/install-deps)'));
    process.exit(required ? 1 : 77);
  }
}

// The database's entry of a verb, null when it has none.
function readDatabaseVerb(database, infinitive) {
  const file = path.join(database.verbsDir, `${databaseName(infinitive)}.json`);
  let text;
  try {
    text = fs.readFileSync(file, 'utf8');
  } catch (e) {
    if (e.code === 'ENOENT') return null;
    fail(`cannot read ${file}: ${e.message}`, 2);
  }
  try {
    return JSON.parse(text);
  } catch (e) {
    return fail(`${file} is no JSON: ${e.message}`, 2);
  }
}

// A database value as a form: blanks collapsed, a note in parentheses
// ("hubiese (de hablar)") dropped; null when empty or not text.
function databaseForm(value) {
  if (typeof value !== 'string') return null;
  const form = value.replace(/\([^)]*\)/g, ' ').replace(/\s+/g, ' ').trim();
  return form === '' ? null : form;
}

// The database's forms for one of our places, one per choice of ours (two
// in tense 5 and 13), null where it has none. In the compound tenses the
// entry of the auxiliary itself holds the auxiliary alone; its participle
// is added.
function databaseForms(entry, tense, person) {
  if (tense === PARTICIPIOS)
    return [person === 0 ? databaseForm(entry.gerundio) : person === 1 ? databaseForm(entry.participioPasado) : null];
  if (tense === IMPERATIVO) {
    if (person === 3) return [databaseForm(entry.subjuntivo?.presente?.nosotros)];
    const key = DATABASE_IMPERATIVE_PERSONS[person];
    return [key ? databaseForm(entry.afirmativo?.[key]) : null];
  }
  return DATABASE_TENSE[tense].map(([mood, name]) => {
    const form = databaseForm(entry[mood]?.[name]?.[DATABASE_PERSONS[person]]);
    if (form === null || !COMPOUND_TENSES.has(tense) || form.includes(' ')) return form;
    const participle = databaseForm(entry.participioPasado);
    return participle ? `${form} ${participle}` : null;
  });
}

// A field of decimal digits as a number, otherwise null.
const number = (field) => (/^[0-9]+$/.test(field ?? '') ? Number(field) : null);

function readDump(file) {
  let text;
  try {
    text = fs.readFileSync(file, 'utf8');
  } catch (e) {
    fail(`cannot read ${file}: ${e.message}`, 2);
  }
  const verbs = [];
  const problems = [];
  const lines = text.split('\n');
  if (lines.at(-1) === '') lines.pop();
  lines.forEach((raw, n) => {
    const line = raw.replace(/\r$/, '');
    const f = line.split('\t');
    const [index, tense, person] = [number(f[0]), number(f[2]), number(f[3])];
    if (f.length !== 5 || index === null || tense === null || person === null || tense > 15 || person > 5) {
      problems.push(`${file}:${n + 1}: not "verbindex TAB infinitive TAB tense TAB person TAB form": ${line}`);
      return;
    }
    const verb = (verbs[index] ??= { infinitive: f[1], forms: Array.from({ length: 16 }, () => Array(6).fill(null)) });
    if (verb.infinitive !== f[1]) problems.push(`${file}:${n + 1}: verb ${index} is "${verb.infinitive}", not "${f[1]}"`);
    else if (verb.forms[tense][person] !== null) problems.push(`${file}:${n + 1}: form given twice`);
    else verb.forms[tense][person] = f[4];
  });
  for (let i = 0; i < verbs.length; ++i) {
    if (!verbs[i]) { problems.push(`verb ${i} is missing from the dump`); continue; }
    const missing = verbs[i].forms.flat().filter((x) => x === null).length;
    if (missing) problems.push(`${verbs[i].infinitive}: ${missing} of the 96 forms missing from the dump`);
  }
  if (problems.length) fail(problems.join('\n'), 2);
  if (verbs.length === 0) fail(`${file} holds no verb`, 2);
  return verbs;
}

// The deviations by key; a verb missing from the database has tense,
// person and form null.
function readDeviations(file) {
  let text;
  try {
    text = fs.readFileSync(file, 'utf8');
  } catch (e) {
    fail(`cannot read ${file}: ${e.message}`, 2);
  }
  const deviations = new Map();
  const problems = [];
  text.split('\n').forEach((raw, n) => {
    const line = raw.replace(/\r$/, '');
    if (line.trim() === '' || line.startsWith('#')) return;
    const f = line.split('\t');
    const wholeVerb = f[1] === '-' && f[2] === '-' && f[3] === '-';
    const tense = number(f[1]);
    const person = number(f[2]);
    if (f.length !== 5 || !f[0] || !f[4].trim() ||
        (!wholeVerb && (tense === null || tense > 15 || person === null || person > 5 || !f[3] || f[3] === '-'))) {
      problems.push(`${file}:${n + 1}: not "infinitive TAB tense TAB person TAB our form TAB reason" ` +
                    `nor "infinitive TAB - TAB - TAB - TAB reason": ${line}`);
      return;
    }
    const key = wholeVerb ? missingKey(f[0]) : deviationKey(f[0], tense, person, f[3]);
    if (deviations.has(key)) problems.push(`${file}:${n + 1}: listed twice`);
    deviations.set(key, { line: n + 1, infinitive: f[0], tense: wholeVerb ? null : tense,
                          person: wholeVerb ? null : person, form: wholeVerb ? null : f[3], used: false });
  });
  if (problems.length) fail(problems.join('\n'), 2);
  return deviations;
}

function deviationKey(infinitive, tense, person, form) {
  return [infinitive, tense, person, plain(form)].join('\t');
}

const missingKey = (infinitive) => `${infinitive}\t-`;

// Which places hold no form: person 0 of the imperative, persons 2..5 of the
// participles; the auxiliary (the first verb) may leave its imperative empty.
function emptyPlace(verbIndex, tense, person) {
  if (tense === IMPERATIVO && person === 0) return 'empty';
  if (tense === PARTICIPIOS && person >= 2) return 'empty';
  if (verbIndex === 0 && tense === IMPERATIVO) return 'either';
  return 'filled';
}

// What a form may hold besides letters.
function shapeProblem(tense, form) {
  const stars = (form.match(/\*/g) || []).length;
  const slashes = (form.match(/\//g) || []).length;
  const spaces = (form.match(/ /g) || []).length;
  if (/[,()\-\t\r]/.test(form)) return 'holds one of , ( ) - or a control character';
  if (stars > (MARKED_TENSES.has(tense) ? 1 : 0)) return MARKED_TENSES.has(tense) ? 'more than one "*"' : 'a compound form with "*"';
  const wantSlash = tense === SUB_IMPERFECTO || tense === SUB_PLUSCUAMP ? 1 : 0;
  if (slashes !== wantSlash) return wantSlash ? 'not the -ra and -se form joined by "/"' : 'holds "/"';
  if (spaces !== (COMPOUND_TENSES.has(tense) ? 1 : 0)) return COMPOUND_TENSES.has(tense) ? 'not "auxiliary participle"' : 'holds a blank';
  if (/^\/|\/$|^ | $|\/ | \//.test(form)) return 'a "/" or blank at an edge';
  return null;
}

// Our choices for one place, split as the database's forms are: the -ra and
// the -se form of tense 5, "hubiera P" and "hubiese P" of tense 13.
function ourChoices(tense, form) {
  if (tense === SUB_IMPERFECTO) return form.split('/');
  if (tense === SUB_PLUSCUAMP) {
    const [aux, participle] = form.split(' ');
    return aux.split('/').map((a) => `${a} ${participle}`);
  }
  return [form];
}

function main() {
  const args = process.argv.slice(2);
  if (args.length !== 2) fail('usage: node conjugatorcheck.mjs DUMPFILE DEVIATIONSFILE', 2);
  const verbs = readDump(args[0]);
  const deviations = readDeviations(args[1]);
  const database = loadDatabase();

  const failures = [];
  let compared = 0;
  let marked = 0;
  let coveredByParticiple = 0;

  if (verbs[0].infinitive !== 'haber')
    failures.push(`the first verb is "${verbs[0].infinitive}", not "haber", which lends its forms to the compound tenses`);

  verbs.forEach((verb, vi) => {
    const inf = verb.infinitive;
    const where = (t, p) => `${inf}, ${TENSE_NAMES[t]}, ${personName(t, p)}`;

    // Place and shape of every form, and the marking of the simple ones.
    for (let t = 0; t < 16; ++t) {
      for (let p = 0; p < 6; ++p) {
        const form = verb.forms[t][p];
        const place = emptyPlace(vi, t, p);
        if (form === '') {
          if (place === 'filled') failures.push(`${where(t, p)}: no form`);
          continue;
        }
        if (place === 'empty') { failures.push(`${where(t, p)}: "${form}" where no form belongs`); continue; }
        const shape = shapeProblem(t, form);
        if (shape) { failures.push(`${where(t, p)}: "${form}" ${shape}`); continue; }
        if (MARKED_TENSES.has(t)) {
          const regular = regularForm(inf, t, p);
          if (regular === null) { failures.push(`${where(t, p)}: the infinitive has no -ar, -er or -ir ending`); continue; }
          const want = expectedMarking(plain(form), regular);
          ++marked;
          if (form !== want) failures.push(`${where(t, p)}: marked "${form}", the regular "${regular}" asks for "${want}"`);
        }
      }
    }

    const entry = readDatabaseVerb(database, inf);
    if (!entry) {
      const deviation = deviations.get(missingKey(inf));
      if (deviation) deviation.used = true;
      else failures.push(`${inf}: not in the database (${databaseName(inf)}.json)`);
      return;
    }

    const theirParticiple = databaseForm(entry.participioPasado);
    const ourParticiple = plain(verb.forms[PARTICIPIOS][1]);
    const participleListed = deviations.has(deviationKey(inf, PARTICIPIOS, 1, ourParticiple));

    for (let t = 0; t < 16; ++t) {
      for (let p = 0; p < 6; ++p) {
        const form = verb.forms[t][p];
        if (form === '' || shapeProblem(t, form)) continue;
        const ours = plain(form);
        const choices = ourChoices(t, ours);
        const theirs = databaseForms(entry, t, p);
        let differs = false;
        let explained = true;
        choices.forEach((choice, k) => {
          if (theirs[k] === null) return;
          ++compared;
          if (choice === theirs[k]) return;
          differs = true;
          // A compound form that differs only in a listed participle is
          // that participle's deviation, not one of its own.
          const [ourAux, ourPart] = [choice.split(' ')[0], choice.split(' ').slice(1).join(' ')];
          const theirAux = theirs[k].split(' ')[0];
          if (!(COMPOUND_TENSES.has(t) && participleListed && ourAux === theirAux && ourPart === ourParticiple &&
                theirs[k] === `${theirAux} ${theirParticiple}`))
            explained = false;
        });
        if (!differs) continue;
        if (explained) { ++coveredByParticiple; continue; }
        const deviation = deviations.get(deviationKey(inf, t, p, ours));
        if (deviation) { deviation.used = true; continue; }
        const source = t === IMPERATIVO && p === 3 ? ' (its SUB Presente, nosotros)' : '';
        failures.push(`${where(t, p)}: ours "${ours}", database${source} "${theirs.map((x) => x ?? '?').join('/')}"`);
      }
    }
  });

  // A listed deviation must still occur, so that the list stays true.
  const infinitives = new Set(verbs.map((v) => v.infinitive));
  for (const d of deviations.values()) {
    if (d.used) continue;
    const known = infinitives.has(d.infinitive) ? '' : ' (no such verb)';
    const what = d.tense === null ? 'missing from the database'
                                  : `${TENSE_NAMES[d.tense]}, ${personName(d.tense, d.person)}, "${d.form}"`;
    failures.push(`${args[1]}:${d.line}: listed deviation no longer occurs: ${d.infinitive}, ${what}${known}`);
  }

  for (const f of failures) console.log(f);
  const used = [...deviations.values()].filter((d) => d.used).length;
  console.log(`conjugatorcheck: ${verbs.length} verbs, ${compared} forms compared with verbos ` +
              `${database.version}, ${marked} markings checked; ${used} listed deviations used, ` +
              `${coveredByParticiple} compound forms follow a listed participle; ` +
              `${failures.length} failure${failures.length === 1 ? '' : 's'}`);
  process.exit(failures.length ? 1 : 0);
}

main();
