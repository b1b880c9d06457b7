// Makes the players' guide into a page that fits a phone's screen as well
// as a laptop's: the same text as guide.txt, its underlined titles made
// headings, its paragraphs reflowed to the screen's width, and its lists,
// tables and commands (the indented blocks) kept line for line. Run by the
// build, so the guide is written once.
//   node web/guide_page.js GUIDE_TXT GUIDE_HTML
'use strict';
const fs = require('fs');

const escape = (text) => text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');

// A block of lines between empty lines, as HTML.
function blockHtml(lines) {
  if (lines.length >= 2 && /^-+$/.test(lines[1])) {
    const heading = `<h2>${escape(lines[0])}</h2>`;
    return lines.length > 2 ? `${heading}\n${blockHtml(lines.slice(2))}` : heading;
  }
  // A block that is laid out by its lines: a numbered or dashed list, or
  // lines indented under one another.
  if (lines.some((line) => /^(\s|\d+\.\s|- )/.test(line))) {
    return `<pre>${escape(lines.join('\n'))}</pre>`;
  }
  return `<p>${escape(lines.join(' '))}</p>`;
}

// The page's own policy, less scripts: the guide runs none.
const kPolicy = "default-src 'none'; style-src 'self'; img-src 'self'; base-uri 'none'; " +
  "form-action 'none'";

function guideHtml(text) {
  const blocks = text.replace(/\r/g, '').split(/\n\s*\n/)
    .map((block) => block.split('\n').filter((line) => line !== ''))
    .filter((lines) => lines.length > 0);
  return `<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta http-equiv="Content-Security-Policy" content="${kPolicy}">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>bindsmith: the players' guide</title>
<link rel="icon" href="icon.svg">
<link rel="stylesheet" href="guide.css">
</head>
<body>
<main>
<h1>The players' guide</h1>
${blocks.map(blockHtml).join('\n')}
</main>
</body>
</html>
`;
}

if (require.main === module) {
  const [guide, page] = process.argv.slice(2);
  fs.writeFileSync(page, guideHtml(fs.readFileSync(guide, 'utf8')));
}

module.exports = { guideHtml };
