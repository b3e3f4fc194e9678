#!/usr/bin/python3
"""Runs every command the README and docs/ show a newcomer, in the order they
show them, on a new Debian 12 root made with Debian's own mmdebstrap, from a
clone at a long path: the lines of their sh blocks, and every command in
backticks that starts with scripts/, ctest, cmake, cpack or sudo apt. Each
must end as the docs say and show what they say; the test command and its
variants are left to .ci/run (LEFT_TO_CI). Lists every command it found,
where it found it, and how it ended.

Runs as root, in a mount and PID namespace of its own (scripts/test-fresh.sh
starts it so), so every mount and process it makes ends with it. The
pristine root and the packages downloaded into it are kept in CACHE, so a
second run downloads little; the root itself lives in the clone's
build-fresh/ and is made anew each run. Needs tests/ on PYTHONPATH, for the
harness's checks and waits."""

import argparse
import os
import re
import shutil
import signal
import subprocess
import sys
import threading
import time
import urllib.request
from pathlib import Path

from harness.checks import Failure, check, wait_for

# A checkout path as people's often are, over 100 characters long.
CLONE = '/home/newcomer/src/github.com/a-newcomer-of-the-project/japanese-name-games/minukape-working-copy/minukape'
USER = 'newcomer'
USER_PATH = '/usr/local/bin:/usr/bin:/bin:/usr/games'
# What the docs show that this does not run: the test command, its variants and the stages it is
# made of, which .ci/run runs itself from a clean clone before this test, and this test itself.
LEFT_TO_CI = {'scripts/test.sh', 'scripts/test.sh -R e2e_game', 'scripts/deps.sh test', 'scripts/build.sh test',
              'scripts/test-fresh.sh'}
# A command in backticks is one of these; the lines of an sh block all are.
SHOWN = re.compile(r'(?:[A-Z_]+=\S+ )*(?:scripts/\S|ctest |cmake |cpack |sudo apt )')
# How long one command may take on a new machine: the longest install and build before it plays.
COMMAND_DEADLINE = 1800


class Fresh:
    def __init__(self, source, cache, work):
        self.source, self.cache, self.work = source, cache, work
        self.root = work / 'root'
        self.ended = {}  # command -> how it ended

    # --- the new machine ---------------------------------------------------

    def base(self):
        """The pristine root as a tar, made once and kept in the cache."""
        tar = self.cache / 'bookworm-minbase.tar'
        if not tar.exists():
            self.cache.mkdir(parents=True, exist_ok=True)
            tmp = self.work / 'mmdebstrap-tmp'
            tmp.mkdir(parents=True, exist_ok=True)
            partial = tar.with_suffix('.partial')
            # The host's own apt sources: the same mirror (or its stand-in) as the host's.
            host(['mmdebstrap', '--quiet', '--variant=minbase', '--format=tar', '--include=sudo,ca-certificates',
                  'bookworm', str(partial), '/etc/apt/sources.list.d/debian.sources'], TMPDIR=str(tmp))
            partial.rename(tar)
        return tar

    def make_root(self):
        if self.root.exists():
            host(['rm', '-rf', '--one-file-system', str(self.root)])
        self.root.mkdir(parents=True)
        host(['tar', '-xf', str(self.base()), '-C', str(self.root)])
        for conf in ['/etc/resolv.conf', '/etc/hosts', *Path('/etc/apt/apt.conf.d').glob('99*')]:
            if Path(conf).exists():
                shutil.copy(conf, self.root / str(conf).lstrip('/'))
        for fs, where, kind in [('proc', 'proc', 'proc'), ('sysfs', 'sys', 'sysfs')]:
            host(['mount', '-t', kind, fs, str(self.root / where)])
        host(['mount', '--rbind', '/dev', str(self.root / 'dev')])
        # What the root downloads, packages and their lists, is kept for the next run.
        for kept, inside in (('archives', 'var/cache/apt/archives'), ('lists', 'var/lib/apt/lists')):
            (self.cache / kept / 'partial').mkdir(parents=True, exist_ok=True)
            host(['mount', '--bind', str(self.cache / kept), str(self.root / inside)])
        (self.root / 'etc/apt/apt.conf.d/01keep-debs').write_text('Binary::apt::APT::Keep-Downloaded-Packages "true";\n')
        # A root used once: dpkg need not sync each file, nor man-db index the manuals.
        (self.root / 'etc/dpkg/dpkg.cfg.d/01unsafe-io').write_text('force-unsafe-io\n')
        self.as_root('echo "man-db man-db/auto-update boolean false" | debconf-set-selections')
        self.as_root(f'useradd --create-home --shell /bin/bash {USER} && '
                     f'echo "{USER} ALL=(ALL) NOPASSWD: ALL" > /etc/sudoers.d/{USER}')
        clone = self.root / CLONE.lstrip('/')
        clone.parent.mkdir(parents=True)
        host(['git', 'clone', '--quiet', str(self.source), str(clone)])
        self.as_root(f'chown -R {USER}: /home/{USER}')

    # --- running commands in it -------------------------------------------

    def argv(self, user, command, env):
        env = {'HOME': f'/home/{user}' if user != 'root' else '/root', 'LANG': 'C.UTF-8',
               'PATH': USER_PATH if user != 'root' else '/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin',
               **(env or {})}
        return ['chroot', str(self.root), '/usr/sbin/runuser', '-u', user, '--', '/usr/bin/env', '-i',
                *[f'{k}={v}' for k, v in env.items()], '/bin/bash', '-c', f'cd {CLONE} 2>/dev/null; {command}']

    def shell(self, user, command, env=None, answer=''):
        """A command in the root, from the clone, as a login of the user would run it: its exit
        status and output, or a failure when it has not ended by the deadline."""
        process = subprocess.Popen(self.argv(user, command, env), stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                   stderr=subprocess.STDOUT, text=True, start_new_session=True)
        try:
            out, _ = process.communicate(answer, timeout=COMMAND_DEADLINE)
        except subprocess.TimeoutExpired:
            stop(process)
            raise Failure(f'{command} had not ended after {COMMAND_DEADLINE} s')
        return process.returncode, out

    def background(self, user, command, env=None):
        """A command left running: the process, and the lines it prints as they come."""
        process = subprocess.Popen(self.argv(user, command, env), stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                   text=True, start_new_session=True)
        lines = []
        threading.Thread(target=lambda: lines.extend(process.stdout), daemon=True).start()
        return process, lines

    def as_root(self, command):
        status, out = self.shell('root', command)
        check(status == 0, f'set-up failed: {command}\n{tail(out)}')
        return out

    def step(self, command, user=USER, expect=0, env=None, answer=''):
        """A command, which must end as expected: 0, or 'fail' for any other status."""
        started = time.monotonic()
        status, out = self.shell(user, command, env, answer)
        print(f'== {command} ({user}): exit {status}, {time.monotonic() - started:.0f} s', flush=True)
        ok = status == 0 if expect == 0 else status != 0
        check(ok, f'{command} exited {status}\n' + tail(out))
        return out

    def run(self, command, **how):
        """A command the docs show: a step whose end is listed at the end."""
        out = self.step(command, **how)
        self.ended[command] = 'ran, as the docs say it ends'
        return out

    def file(self, path):
        return self.root / CLONE.lstrip('/') / path

    def check(self, condition, what, output=''):
        check(condition, f'{what}\n' + tail(output))
        print(f'   ok: {what}', flush=True)


def host(argv, **env):
    """A set-up command on this machine, which must succeed within the deadline."""
    subprocess.run(argv, check=True, timeout=COMMAND_DEADLINE, env=dict(os.environ, **env))


def stop(process):
    os.killpg(process.pid, signal.SIGTERM)
    process.wait(timeout=60)


def tail(text, lines=40):
    return '\n'.join(text.splitlines()[-lines:])


def shown_commands(source):
    """Every command the README and docs/ show, in reading order, each with where it stands
    ('README.md:15'): the lines of their sh blocks, and the commands in backticks elsewhere."""
    found = {}
    for doc in [source / 'README.md', *sorted((source / 'docs').glob('*.md'))]:
        text = doc.read_text()
        at = []
        for block in re.finditer(r'^```(\w*)\n(.*?)^```', text, re.S | re.M):
            first = text.count('\n', 0, block.start(2)) + 1
            if block.group(1) == 'sh':
                at += [(first + n, re.sub(r'\s+#.*$', '', line).strip())
                       for n, line in enumerate(block.group(2).splitlines())]
        # The text between the blocks; an inline command may run on over a line.
        prose = re.sub(r'^```.*?^```', lambda b: '\n' * b.group(0).count('\n'), text, flags=re.S | re.M)
        for code in re.finditer(r'`([^`]+)`', prose):
            command = ' '.join(code.group(1).split())
            if SHOWN.match(command):
                at.append((prose.count('\n', 0, code.start()) + 1, command))
        for line, command in sorted(set(at)):
            if command:
                found.setdefault(command, []).append(f'{doc.relative_to(source)}:{line}')
    return found


# --- what each command must do, beyond ending as the docs say ----------------

def play(fresh, command):
    """scripts/run.sh: with no desktop it builds, then says so in a line of ours; on a desktop
    (an X server of the test's own) it opens the window."""
    out = fresh.run(command, expect='fail')
    fresh.check(fresh.file('build/minukape').exists(), 'the program was built')
    fresh.check(not re.search(r'Aborted|core dumped|could not connect to display', out), 'no abort', out)
    fresh.check('the window needs a desktop' in out and 'scripts/run-web.sh' in out, 'our line names the page', out)

    fresh.as_root('DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends xvfb x11-utils >/dev/null')
    server, _ = fresh.background(USER, 'exec Xvfb :7 -nolisten tcp -screen 0 800x600x24')
    game = None
    try:
        wait_for(lambda: (fresh.root / 'tmp/.X11-unix/X7').exists(), what='the X server')
        game, _ = fresh.background(USER, f'exec {command}', env={'DISPLAY': ':7'})

        def caption():
            check(game.poll() is None, f'{command} ended with {game.returncode} on a desktop')
            return '"ミヌカペ"' in fresh.shell(USER, 'xwininfo -root -tree', env={'DISPLAY': ':7'})[1]
        wait_for(caption, timeout=300, what='the window captioned ミヌカペ')
        print(f'   ok: {command} on a desktop opens the window ミヌカペ', flush=True)
    finally:
        for process in (game, server):
            if process:
                stop(process)


def unit(fresh, command):
    """The pure tests, after playing; playing again keeps them."""
    fresh.run(command)
    fresh.step('scripts/build.sh run >/dev/null')
    fresh.check('BUILD_TESTING:BOOL=ON' in fresh.file('build/CMakeCache.txt').read_text(),
                'playing keeps the tree\'s tests')


def tests_listed_or_run(fresh, command):
    out = fresh.run(command)
    if ' -N' in command:
        fresh.check('Total Tests:' in out, 'ctest lists the tests', out)
    else:
        fresh.check('100% tests passed' in out, 'ctest ran tests, and all passed', out)
    if ' -R ' in command:
        fresh.check(re.search(r' out of 1$', out, re.M), 'one test ran, as the docs say', out)


def installed_home(fresh, command):
    fresh.run(command)
    fresh.check((fresh.root / f'home/{USER}/.local/bin/minukape').exists(), 'installed in ~/.local/bin')


def packaged(fresh, command):
    """cpack, whose package lintian must find no fault with."""
    out = fresh.run(command)
    deb = re.search(r'package: (\S+\.deb) generated', out)
    fresh.check(deb and (fresh.root / deb.group(1).lstrip('/')).exists(), 'cpack wrote a package', out)
    # lintian's temporary files go in the test's own folder, which goes at the end.
    lint = subprocess.run(['lintian', '--tag-display-limit', '0', str(fresh.root / deb.group(1).lstrip('/'))],
                          env=dict(os.environ, TMPDIR=str(fresh.work)), stdout=subprocess.PIPE,
                          stderr=subprocess.STDOUT, text=True, timeout=600)
    fresh.check(not re.search(r'^[EW]: ', lint.stdout, re.M), 'lintian: no error and no warning', lint.stdout)


def apt_installed(fresh, command):
    fresh.run(command, answer='y\n')
    where = fresh.shell(USER, 'command -v minukape')[1].strip()
    fresh.check(where == '/usr/bin/minukape', f'minukape on the path: {where}')
    entry = (fresh.root / 'usr/share/applications/io.github.minukape.Minukape.desktop').read_text()
    folder = re.search(r'^Path=(.*)$', entry, re.M).group(1)
    fresh.check(all((fresh.root / folder.lstrip('/') / 'Sound' / f'{cue}.wav').exists()
                    for cue in ('Push', 'Kin', 'Pororon')), f'the desktop entry finds the sounds in {folder}')


def apt_removed(fresh, command):
    files = [f for f in fresh.as_root('dpkg -L minukape').split() if f.startswith('/usr')]
    fresh.run(command, answer='y\n')
    left = [f for f in files if (fresh.root / f.lstrip('/')).is_file()]
    fresh.check(not left, 'removing the package leaves nothing of it', '\n'.join(left))


def built_for_site(fresh, command):
    """The page built for its site: the link preview's addresses absolute."""
    fresh.run(command)
    site = command.split()[-1]
    page = fresh.file('build/web/index.html').read_text(encoding='utf-8')
    fresh.check(f'"og:url" content="{site}"' in page and f'"og:image" content="{site}minukape-card.png"' in page,
                'the page built for its site has its own and the card\'s absolute addresses')


def served(fresh, command):
    """The page built and served at the address the script prints, on its port."""
    port = re.match(r'(?:PORT=(\d+) )?', command).group(1) or '8000'
    started = time.monotonic()
    server, lines = fresh.background(USER, command)
    try:
        def printed():
            for found in map(re.compile(r'ミヌカペ: (http://\S+)').search, lines):
                if found:
                    return found.group(1)
            check(server.poll() is None, f'{command} ended with {server.returncode}\n' + tail(''.join(lines)))
        address = wait_for(printed, timeout=COMMAND_DEADLINE, what=f'{command} to print its address')
        print(f'== {command} ({USER}): serving after {time.monotonic() - started:.0f} s', flush=True)
        fresh.check(address == f'http://127.0.0.1:{port}/', f'{command} prints its address: {address}', ''.join(lines))
        for path, kind in [('', 'text/html'), ('minukape.wasm', 'application/wasm')]:
            def answer():
                try:
                    with urllib.request.urlopen(address + path, timeout=5) as reply:
                        return reply.status == 200 and reply.headers['Content-Type'].startswith(kind)
                except OSError:
                    return False
            wait_for(answer, what=f'{address}{path} as {kind}')
            print(f'   ok: {address}{path} answers as {kind}', flush=True)
        fresh.ended[command] = 'ran, serving as the docs say'
    finally:
        stop(server)


def windows(fresh, command):
    fresh.run(command)
    built = sorted(p.name for p in fresh.file('build-windows').glob('minukape*.*') if p.is_file())
    for name in ('minukape.exe', 'minukape-1.0.0-setup.exe', 'minukape-1.0.0-windows.zip'):
        fresh.check(name in built, f'build-windows/{name}')


def counted(fresh, command):
    out = fresh.run(command)
    fresh.check(re.search(r'would add \d+ packages', out), 'it says how many packages it would add', out)


# What a command the docs show must do: the first pattern it matches. Any other command must
# end with 0.
CHECKS = [
    (r'scripts/run\.sh$', play),
    (r'scripts/unit\.sh$', unit),
    (r'ctest ', tests_listed_or_run),
    (r'cmake --install ', installed_home),
    (r'\(cd build && cpack ', packaged),
    (r'sudo apt install ', apt_installed),
    (r'sudo apt remove ', apt_removed),
    (r'scripts/build-web\.sh --site-url ', built_for_site),
    (r'(PORT=\d+ )?scripts/run-web\.sh$', served),
    (r'scripts/build-windows\.sh$', windows),
    (r'scripts/deps\.sh --count ', counted),
]


def run_shown(fresh, command):
    for pattern, checks in CHECKS:
        if re.match(pattern, command):
            return checks(fresh, command)
    fresh.run(command)


def main():
    # The first process of its PID namespace ends on a stop signal only if it says so; with it
    # ends everything it started.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit('stopped'))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--source', type=Path, required=True, help='the repository to clone')
    parser.add_argument('--cache', type=Path, required=True, help='where the pristine root and packages are kept')
    parser.add_argument('--work', type=Path, required=True, help='a folder of the test\'s own')
    args = parser.parse_args()

    shown = shown_commands(args.source)
    print(f'== the docs show {len(shown)} commands:', flush=True)
    for command, where in shown.items():
        print(f'   {command}  ({", ".join(where)})', flush=True)
    fresh = Fresh(args.source, args.cache, args.work)
    fresh.make_root()
    print(f'== a pristine Debian 12 root, the clone at {CLONE} ({len(CLONE)} characters)', flush=True)
    # What the test command would add to this pristine machine, as the README says.
    print('   ' + fresh.shell('root', 'scripts/deps.sh --count test 2>&1 | tail -n 1')[1].strip(), flush=True)
    # A user sudo gives no root, on this machine without the packages: told what root must run.
    fresh.as_root('useradd --create-home stranger && cp scripts/deps.sh /home/stranger/')
    status, out = fresh.shell('stranger', '~/deps.sh run')
    fresh.check(status != 0 and 'As root, run:\n    apt-get update && apt-get install --no-install-recommends ' in out
                and ' qt6-base-dev ' in out, 'deps.sh tells a user without sudo rights what root must run', out)
    status, out = fresh.shell('stranger', '~/deps.sh --count run')
    fresh.check(status == 0 and re.search(r'would add [1-9]\d* packages', out),
                'deps.sh counts for a user without sudo rights, from apt\'s lists as they are', out)
    # Each command goes on after one before it failed, so one run names every fault.
    for command in shown:
        if command in LEFT_TO_CI:
            fresh.ended[command] = 'left to .ci/run'
            continue
        try:
            run_shown(fresh, command)
        except (Failure, TimeoutError) as failure:
            print(f'FAILED: {failure}', flush=True)
            fresh.ended[command] = 'FAILED: ' + str(failure).splitlines()[0]
    print('== every command the docs show, and how it ended:')
    for command, where in shown.items():
        print(f'   {command}  ({", ".join(where)}): {fresh.ended.get(command, "FAILED: not run")}')
    failed = [f'{command}: {how}' for command, how in fresh.ended.items() if how.startswith('FAILED')]
    if failed or len(fresh.ended) < len(shown):
        sys.exit('fresh machine: FAILED\n  ' + '\n  '.join(failed))
    print(f'fresh machine: every command the docs show was run ({len(shown)}, '
          f'{sum(how == "left to .ci/run" for how in fresh.ended.values())} of them left to .ci/run)')


if __name__ == '__main__':
    main()
