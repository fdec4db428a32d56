#!/usr/bin/env bash
# Builds the Windows release package dist/vexlo-<version>-win32.zip and checks it:
#   Vexlo7-1.7.cqp.dll     the plugin for the 32-bit host (i686 build)
#   plugin/Vexlo设置.ini   the sample question bank (GBK), its name stored as GBK bytes without the
#                          UTF-8 flag, which is how Chinese Windows unpacks it correctly
#   vexlo.exe              the vexlo tool, same i686 build (left out with a warning if it fails)
#   README.txt             a short guide in Chinese and English (UTF-8 with BOM, CR LF)
# Usage: scripts/release.sh                build, package, check
#        scripts/release.sh --check ZIP    only check a package (unpacks it; needs python3)
# Trees: build/release-native (the sample bank) and build/release-win32 (the binaries).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=${VEXLO_JOBS:-2}

check() {
  local zip=$1
  local objdump
  objdump=$(command -v i686-w64-mingw32-objdump || true)
  python3 - "$zip" "$objdump" <<'EOF'
import codecs, os, struct, subprocess, sys, tempfile, zipfile
path, objdump = sys.argv[1], sys.argv[2]
problems = []
def fail(text): problems.append(text)

def machine(data):
    if data[:2] != b"MZ": return None
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0": return None
    return struct.unpack_from("<H", data, pe + 4)[0]

with zipfile.ZipFile(path) as z:
    bad = z.testzip()
    if bad: fail(f"damaged entry {bad!r}")
    entries = {}
    for info in z.infolist():
        # Without the UTF-8 flag the module decodes names as cp437; that gives back the raw bytes.
        raw = info.filename.encode("utf-8" if info.flag_bits & 0x800 else "cp437")
        entries[raw] = info
        if info.flag_bits & 0x800: fail(f"{raw!r} carries the UTF-8 flag")
        extra = info.extra
        while len(extra) >= 4:
            tag, size = struct.unpack_from("<HH", extra)
            if tag == 0x7075: fail(f"{raw!r} carries a Unicode path field")
            extra = extra[4 + size:]
    bank_name = b"plugin/Vexlo" + "设置".encode("gbk") + b".ini"
    expected = {b"Vexlo7-1.7.cqp.dll", bank_name, b"README.txt"}
    optional = {b"vexlo.exe"}
    for name in sorted(expected - entries.keys()): fail(f"missing {name!r}")
    for name in sorted(entries.keys() - expected - optional): fail(f"unexpected entry {name!r}")
    if b"vexlo.exe" not in entries: print("note: the package holds no vexlo.exe")

    with tempfile.TemporaryDirectory() as tmp:
        for raw, info in entries.items():
            data = z.read(info)
            if raw.endswith(b".dll") or raw.endswith(b".exe"):
                if machine(data) != 0x14C: fail(f"{raw!r} is not a 32-bit Windows (i386) binary")
            if raw == b"Vexlo7-1.7.cqp.dll" and objdump:
                dll = os.path.join(tmp, "plugin.dll")
                open(dll, "wb").write(data)
                dump = subprocess.run([objdump, "-p", dll], capture_output=True, text=True).stdout
                if not any(line.startswith("Name") and line.endswith(" Vexlo7-1.7.cqp.dll")
                           for line in dump.splitlines()):
                    fail("the DLL does not name itself Vexlo7-1.7.cqp.dll")
                for export in ("info", "plugmain"):
                    if not any(line.split()[-1:] == [export] for line in dump.splitlines()
                               if "]" in line):
                        fail(f"the DLL does not export {export}")
            if raw == bank_name:
                try: data.decode("gbk")
                except UnicodeDecodeError as e: fail(f"the bank is not GBK: {e}")
                if not data or data.count(b"\n") != data.count(b"\r\n"):
                    fail("the bank's lines do not all end in CR LF")
            if raw == b"README.txt":
                if not data.startswith(codecs.BOM_UTF8): fail("README.txt lacks its UTF-8 mark")
                if data.count(b"\n") != data.count(b"\r\n"): fail("README.txt has lines without CR LF")
                text = data.decode("utf-8-sig", "replace")
                if "plugin" not in text or not any("\u4e00" <= c <= "\u9fff" for c in text):
                    fail("README.txt is not the Chinese and English guide")
if problems:
    print("\n".join(f"{path}: {p}" for p in problems), file=sys.stderr)
    sys.exit(1)
print(f"{path}: contents are as they should be")
EOF
}

if [ "${1-}" = "--check" ]; then
  check "$2"
  exit
fi

version=$(sed -n 's/^project(vexlo VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
native=$root/build/release-native win32=$root/build/release-win32
echo "Building the sample bank (native) and the plugin and tool (i686)..."
cmake -G Ninja -S "$root" -B "$native" -DCMAKE_BUILD_TYPE=Release -DVEXLO_TESTS=OFF >/dev/null
cmake --build "$native" -j "$jobs" --target vexlo_sample_bank
cmake -G Ninja -S "$root" -B "$win32" -DCMAKE_BUILD_TYPE=Release -DVEXLO_TESTS=OFF \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" >/dev/null
cmake --build "$win32" -j "$jobs" --target vexlo_plugin
tool_built=yes
cmake --build "$win32" -j "$jobs" --target vexlo || tool_built=no

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/plugin"
cp "$win32/bin/Vexlo7-1.7.cqp.dll" "$stage/"
[ "$tool_built" = yes ] && cp "$win32/bin/vexlo.exe" "$stage/"
# The bank keeps its name, spelt in GBK bytes inside the package.
for bank in "$native"/share/vexlo/*.ini; do
  gbk_name=$(basename "$bank" | iconv -f UTF-8 -t GBK)
  cp "$bank" "$stage/plugin/$gbk_name"
done

sed 's/$/\r/' >"$stage/README.body" <<'EOF'
Vexlo 群聊答题插件
==================

文件
  Vexlo7-1.7.cqp.dll      插件本体（32 位），放进机器人程序的插件文件夹。
  plugin\Vexlo设置.ini    示例题库，放进机器人程序所在文件夹下的 plugin 文件夹。
  vexlo.exe               终端工具：vexlo chat 可以在命令行里试玩（与插件放在同一文件夹）。

安装
  1. 把 Vexlo7-1.7.cqp.dll 复制到机器人程序的插件文件夹，并在程序中启用。
  2. 在机器人程序（.exe）所在的文件夹里建立 plugin 文件夹，把 Vexlo设置.ini 放进去。
     积分文件 plugin\Vexlo积分.ini 会在第一次出题时自动建立。
  3. 在群里发送：
       @Vexlo 出题        出一道题（@Vexlo 跳过：换一道）
       @Vexlo 你的答案    回答当前题目
       @Vexlo 提示        显示当前题目的答案
       @Vexlo 列表        列出题目分类
       @Vexlo 分类.2      选择第 2 类题目
       @Vexlo 帮助        显示全部命令
  题库是 GBK 编码的文本文件，可以用记事本编辑；修改后立即生效。

试玩
  在这个文件夹里打开命令行，运行 vexlo chat，输入 出题 开始。

Vexlo group-chat quiz plugin
============================

Files
  Vexlo7-1.7.cqp.dll      the plugin (32-bit); it goes into the robot host's plugin folder.
  plugin\Vexlo设置.ini    the sample question bank; it goes into a folder named plugin in the
                          folder of the host program (.exe).
  vexlo.exe               a terminal host: vexlo chat plays the quiz on the command line
                          (keep it beside the DLL).

Install
  1. Copy Vexlo7-1.7.cqp.dll into the host's plugin folder and enable it in the host.
  2. Make a folder plugin beside the host's .exe and put Vexlo设置.ini into it. The score book
     plugin\Vexlo积分.ini is created with the first question posted.
  3. In a group chat send @Vexlo followed by 出题 (a question), your answer, 提示 (show the
     answer), 列表 (the categories), 分类.2 (draw from category 2) or 帮助 (all commands).
  The bank is a GBK text file; edit it with Notepad, changes apply at once.

Try it
  Open a command prompt in this folder, run vexlo chat and type 出题.
EOF
{ printf '\xEF\xBB\xBF'; cat "$stage/README.body"; } >"$stage/README.txt"
rm "$stage/README.body"

mkdir -p "$root/dist"
zip_file=$root/dist/vexlo-$version-win32.zip
rm -f "$zip_file"
# LC_ALL=C keeps zip from adding UTF-8 name fields: the GBK name is stored as it is.
(cd "$stage" && LC_ALL=C zip -q -X -D -r "$zip_file" .)
check "$zip_file"
[ "$tool_built" = yes ] || echo "warning: vexlo.exe did not build for i686 and is not in the package" >&2
echo "Wrote $zip_file"
