// eslint's checks of the page's JavaScript, its tests and the benchmark's
// driver (scripts/lint runs it; its packages are in web/node_modules). Lines
// stay within the C++'s 100 columns, and a file of the page within 200
// lines: a module per job.
'use strict';
const path = require('path');

const fromWeb = (name) => require(require.resolve(name, { paths: [path.join(__dirname, 'web')] }));
const js = fromWeb('@eslint/js');
const globals = fromWeb('globals');

module.exports = [
  { ignores: ['build/**', 'dist/**', 'web/node_modules/**'] },
  js.configs.recommended,
  {
    files: ['**/*.js'],
    languageOptions: {
      ecmaVersion: 2022,
      sourceType: 'commonjs',
      // The page's modules run in the browser and under node; the tests
      // and the benchmark drive browsers, with code that runs in the page.
      globals: { ...globals.browser, ...globals.node },
    },
    rules: {
      'max-len': ['error', { code: 100, ignoreUrls: true }],
      strict: ['error', 'global'],
      'no-unused-vars': ['error', { caughtErrors: 'none' }],
    },
  },
  {
    files: ['web/**/*.js'],
    rules: { 'max-lines': ['error', { max: 200 }] },
  },
];
