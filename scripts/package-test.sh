#!/usr/bin/env bash
# Installs the package built by scripts/package.sh, uses it from the installed files alone (the
# calculator, a report, a DXF drawing, the main window started and closed offscreen), removes it
# again and checks that nothing of it is left under /usr. The package is removed also when a step
# fails. Needs root or sudo.
#   bash scripts/package-test.sh [pedivo_1.0_amd64.deb]
set -euo pipefail
cd "$(dirname "$0")/.."
deb=$(realpath "${1:-$(ls pedivo_*.deb | head -n 1)}")
sudo_cmd=()
if [[ $(id -u) -ne 0 ]]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive

installed() { dpkg-query -W -f='${Status}' pedivo 2>/dev/null | grep -q 'install ok installed'; }
if installed; then
  echo "package-test: pedivo is installed already; remove it first (apt-get remove pedivo)" >&2
  exit 1
fi

work=$(mktemp -d)
cleanup() {
  if installed; then "${sudo_cmd[@]}" apt-get remove -y -q pedivo >/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

"${sudo_cmd[@]}" apt-get install -y --no-install-recommends "$deb"
dpkg-query -L pedivo | sort > "$work/files"

# Away from the sources and the build folder, as a new user: nothing but what the package installed.
cd "$work"
export HOME="$work/home"
unset XDG_DATA_HOME XDG_CACHE_HOME XDG_CONFIG_HOME
mkdir -p "$HOME"
export PATH=/usr/bin:/bin

echo "== pedivo-calc --version"
/usr/bin/pedivo-calc --version | tee version.txt
grep -q '^pedivo-calc [0-9]' version.txt

echo "== a design with its report and drawing"
echo '{"module": "g11", "entries": {}, "project": {"name": "安装测试"}}' \
  | /usr/bin/pedivo-calc --report g11.docx --dxf g11.dxf > g11.json
python3 - "$(cut -d' ' -f2- version.txt)" <<'PY'
import json, sys, zipfile
version = sys.argv[1]
result = json.load(open("g11.json"))
assert result["state"] == "已完成", result["state"]
assert result["messages"][0] == "计算完毕！", result["messages"]
body = zipfile.ZipFile("g11.docx").read("word/document.xml").decode()
for text in ("八锚栓刚接柱脚计算书", "安装测试", version):
    assert text in body, f"the report lacks {text}"
assert "&lt;#" not in body, "the report has a tag left unfilled"
dxf = open("g11.dxf", "rb").read()
assert b"SECTION" in dxf[:40] and dxf.rstrip().endswith(b"EOF"), dxf[:40]
assert version.encode("gbk") in dxf, "the drawing lacks the version"
print("report and drawing written by", version)
PY

echo "== the drawing's LibreCAD font, in LibreCAD's font folder, with every character of the drawing"
python3 - <<'PY'
font = "/usr/share/librecad/fonts/pedivo.lff"
glyphs = {line[line.index("]") + 2] for line in open(font, encoding="utf-8") if line.startswith("[")}
assert len(glyphs) > 4000, f"{font} has {len(glyphs)} glyphs"
lines = open("g11.dxf", "rb").read().decode("gbk").splitlines()
texts = [value for code, value in zip(lines[::2], lines[1::2]) if code.strip() == "1"]
missing = {c for text in texts for c in text if not c.isspace()} - glyphs
assert texts and not missing, f"{font} lacks {''.join(sorted(missing))}"
print(f"{font}: {len(glyphs)} glyphs, every character of the drawing's {len(texts)} texts")
PY

echo "== the main window, started from the menu entry's command, opening a design file"
python3 - <<'PY'
import json
case = json.load(open("g11.json"))
json.dump({"module": case["module"], "entries": case["entries"], "cbsize": case["cbsize"]},
          open("design.pedivo", "w"), ensure_ascii=False)
PY
exec_line=$(sed -n 's/^Exec=//p' /usr/share/applications/pedivo.desktop)
command=${exec_line//%f/design.pedivo}
QT_QPA_PLATFORM=offscreen PEDIVO_QUIT_AFTER_START=1 timeout 60 $command
# The design file type is known to the desktop, and Pedivo is the program that opens it.
test -f /usr/share/mime/application/x-pedivo.xml
grep -q '^application/x-pedivo=.*pedivo.desktop' /usr/share/applications/mimeinfo.cache

echo "== removal"
"${sudo_cmd[@]}" apt-get remove -y pedivo
left=()
while IFS= read -r path; do
  [[ "$path" == /usr/* ]] || continue
  if [[ -e "$path" || -L "$path" ]]; then
    # Shared folders (/usr/bin, /usr/share/man/man1, ...) stay; anything of Pedivo's own must go.
    if [[ ! -d "$path" || "$path" == *pedivo* ]]; then left+=("$path"); fi
  fi
done < "$work/files"
if ((${#left[@]} > 0)); then
  printf 'package-test: left behind after removal: %s\n' "${left[@]}" >&2
  exit 1
fi
echo "package-test: installed, used and removed without a trace under /usr"
