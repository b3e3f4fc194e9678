#!/usr/bin/python3
"""Runs what the README and docs/ show a newcomer, in the order a newcomer
would, on a new Debian 12 root made with Debian's own mmdebstrap: a clone at
a long path, played, unit-tested, installed, packaged, served as a page and
cross-built for Windows. Fails on a command that fails, on one that shows
the wrong thing, and on a command the docs show that is not run here.

Runs as root, in a mount and PID namespace of its own (scripts/test-fresh.sh
starts it so), so every mount and process it makes ends with it. The
pristine root and the packages downloaded into it are kept in CACHE, so a
second run downloads little; the root itself lives in the clone's
build-fresh/ and is made anew each run."""

import argparse
import os
import re
import shutil
import signal
import subprocess
import sys
import time
import urllib.request
from pathlib import Path

# A checkout path as people's often are, over 100 characters long.
CLONE = '/home/newcomer/src/github.com/a-newcomer-of-the-project/japanese-name-games/minukape-working-copy/minukape'
USER = 'newcomer'
USER_PATH = '/usr/local/bin:/usr/bin:/bin:/usr/games'
# What the docs show that this does not run: .ci/run runs the test command
# from a clean clone, and this test itself.
RUN_ELSEWHERE = {'scripts/test.sh', 'scripts/test-fresh.sh'}


class Failure(Exception):
    pass


class Fresh:
    def __init__(self, source, cache, work):
        self.source, self.cache, self.work = source, cache, work
        self.root = work / 'root'
        self.ran = []

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
            subprocess.run(['mmdebstrap', '--quiet', '--variant=minbase', '--format=tar', '--include=sudo,ca-certificates',
                            'bookworm', str(partial), '/etc/apt/sources.list.d/debian.sources'],
                           check=True, env=dict(os.environ, TMPDIR=str(tmp)))
            partial.rename(tar)
        return tar

    def make_root(self):
        if self.root.exists():
            subprocess.run(['rm', '-rf', '--one-file-system', str(self.root)], check=True)
        self.root.mkdir(parents=True)
        subprocess.run(['tar', '-xf', str(self.base()), '-C', str(self.root)], check=True)
        for conf in ['/etc/resolv.conf', '/etc/hosts', *Path('/etc/apt/apt.conf.d').glob('99*')]:
            if Path(conf).exists():
                shutil.copy(conf, self.root / str(conf).lstrip('/'))
        for fs, where, kind in [('proc', 'proc', 'proc'), ('sysfs', 'sys', 'sysfs')]:
            subprocess.run(['mount', '-t', kind, fs, str(self.root / where)], check=True)
        subprocess.run(['mount', '--rbind', '/dev', str(self.root / 'dev')], check=True)
        # What the root downloads, packages and their lists, is kept for the next run.
        for kept, inside in (('archives', 'var/cache/apt/archives'), ('lists', 'var/lib/apt/lists')):
            (self.cache / kept / 'partial').mkdir(parents=True, exist_ok=True)
            subprocess.run(['mount', '--bind', str(self.cache / kept), str(self.root / inside)], check=True)
        (self.root / 'etc/apt/apt.conf.d/01keep-debs').write_text('Binary::apt::APT::Keep-Downloaded-Packages "true";\n')
        # A root used once: dpkg need not sync each file, nor man-db index the manuals.
        (self.root / 'etc/dpkg/dpkg.cfg.d/01unsafe-io').write_text('force-unsafe-io\n')
        self.as_root('echo "man-db man-db/auto-update boolean false" | debconf-set-selections')
        self.as_root(f'useradd --create-home --shell /bin/bash {USER} && '
                     f'echo "{USER} ALL=(ALL) NOPASSWD: ALL" > /etc/sudoers.d/{USER}')
        clone = self.root / CLONE.lstrip('/')
        clone.parent.mkdir(parents=True)
        subprocess.run(['git', 'clone', '--quiet', str(self.source), str(clone)], check=True)
        self.as_root(f'chown -R {USER}: /home/{USER}')

    # --- running commands in it -------------------------------------------

    def shell(self, user, command, env=None, background=False, answer=None):
        """A command in the root, from the clone, as a login of the user would run it."""
        env = {'HOME': f'/home/{user}' if user != 'root' else '/root', 'LANG': 'C.UTF-8',
               'PATH': USER_PATH if user != 'root' else '/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin',
               **(env or {})}
        argv = ['chroot', str(self.root), '/usr/sbin/runuser', '-u', user, '--', '/usr/bin/env', '-i',
                *[f'{k}={v}' for k, v in env.items()], '/bin/bash', '-c', f'cd {CLONE} 2>/dev/null; {command}']
        if background:
            return subprocess.Popen(argv, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                                    start_new_session=True)
        return subprocess.run(argv, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                              input=answer or '')

    def as_root(self, command):
        done = self.shell('root', command)
        if done.returncode:
            sys.exit(f'set-up failed: {command}\n{done.stdout}')
        return done.stdout

    def run(self, command, user=USER, expect=0, env=None, answer=None):
        """A command the docs show, which must end as expected; says how long it took."""
        started = time.monotonic()
        done = self.shell(user, command, env, answer=answer)
        print(f'== {command} ({user}): exit {done.returncode}, {time.monotonic() - started:.0f} s', flush=True)
        self.ran.append(command)
        ok = done.returncode == 0 if expect == 0 else done.returncode != 0
        if not ok:
            raise Failure(f'{command} exited {done.returncode}\n' + tail(done.stdout))
        return done.stdout

    def file(self, path):
        return self.root / CLONE.lstrip('/') / path

    def check(self, condition, what, output=''):
        if not condition:
            raise Failure(f'{what}\n' + tail(output))
        print(f'   ok: {what}', flush=True)


def tail(text, lines=40):
    return '\n'.join(text.splitlines()[-lines:])


def shown_commands(source):
    """Every command the README and docs/ show: the lines of their sh blocks,
    and the first column of their tables of commands."""
    commands = []
    for doc in [source / 'README.md', *sorted((source / 'docs').glob('*.md'))]:
        text = doc.read_text()
        for block in re.findall(r'^```sh\n(.*?)^```', text, re.S | re.M):
            for line in block.splitlines():
                line = re.sub(r'\s+#.*$', '', line).strip()
                if line:
                    commands.append((doc.name, line))
        for table in re.findall(r'^\| command \|.*\n\|[-| ]+\|\n((?:\|.*\n)+)', text, re.M):
            for row in table.splitlines():
                commands.append((doc.name, re.match(r'\| `([^`]+)` \|', row).group(1)))
    return commands


def shown_one(shown, start):
    for _, command in shown:
        if command.startswith(start):
            return command
    raise Failure(f'the docs show no "{start}"')


def no_desktop(fresh):
    """scripts/run.sh with no desktop: it builds, then says so in a line of ours.
    First, what the test command would add to this pristine machine, as the README says."""
    print('   ' + fresh.shell('root', 'scripts/deps.sh --count test 2>&1 | tail -n 1').stdout.strip(), flush=True)
    out = fresh.run('scripts/run.sh', expect='fail')
    fresh.check(fresh.file('build/minukape').exists(), 'the program was built')
    fresh.check(not re.search(r'Aborted|core dumped|could not connect to display', out), 'no abort', out)
    fresh.check('the window needs a desktop' in out and 'scripts/run-web.sh' in out, 'our line names the page', out)


def desktop(fresh):
    """scripts/run.sh on a desktop opens the window."""
    # The test's own X server, to see the window; not what the README installs.
    fresh.as_root('DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends xvfb x11-utils >/dev/null')
    server = fresh.shell(USER, 'exec Xvfb :7 -nolisten tcp -screen 0 800x600x24', background=True)
    game = None
    try:
        wait_for(lambda: (fresh.root / 'tmp/.X11-unix/X7').exists(), 'the X server')
        game = fresh.shell(USER, 'exec scripts/run.sh', env={'DISPLAY': ':7'}, background=True)
        fresh.ran.append('scripts/run.sh')

        def caption():
            tree = fresh.shell(USER, 'xwininfo -root -tree', env={'DISPLAY': ':7'}).stdout
            return '"ミヌカペ"' in tree
        wait_for(caption, 'the window captioned ミヌカペ', seconds=300)
        print('   ok: scripts/run.sh with a desktop opens the window ミヌカペ', flush=True)
    finally:
        for process in (game, server):
            if process:
                os.killpg(process.pid, signal.SIGTERM)
                process.wait()


def unit(fresh, shown):
    """The pure tests right after playing, and the one-test command on their tree."""
    fresh.run('scripts/unit.sh')
    # Playing again keeps the tests the tree has.
    fresh.shell(USER, 'scripts/build.sh run >/dev/null')
    fresh.check('BUILD_TESTING:BOOL=ON' in fresh.file('build/CMakeCache.txt').read_text(),
                'playing keeps the tree\'s tests')
    for command in dict.fromkeys(c for _, c in shown if c.startswith('ctest')):
        fresh.run(command)


def installed(fresh, shown):
    """cmake --install, the Debian package, lintian, apt install and removal."""
    install = shown_one(shown, 'cmake --install')
    fresh.run(install)
    fresh.check((fresh.root / f'home/{USER}/.local/bin/minukape').exists(), 'installed in ~/.local/bin')
    package = shown_one(shown, '(cd build && cpack')
    fresh.run(package)
    apt = shown_one(shown, 'sudo apt install')
    deb = fresh.file(re.search(r'\./(\S+\.deb)', apt).group(1))
    fresh.check(deb.exists(), f'the package is {deb.name}')
    # lintian's temporary files go in the test's own folder, which goes at the end.
    lint = subprocess.run(['lintian', '--tag-display-limit', '0', str(deb)], env=dict(os.environ, TMPDIR=str(fresh.work)),
                          stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
    fresh.check(not re.search(r'^[EW]: ', lint.stdout, re.M), 'lintian: no error and no warning', lint.stdout)
    fresh.run(apt, answer='y\n')
    where = fresh.shell(USER, 'command -v minukape').stdout.strip()
    fresh.check(where == '/usr/bin/minukape', f'minukape on the path: {where}')
    entry = (fresh.root / 'usr/share/applications/io.github.minukape.Minukape.desktop').read_text()
    folder = re.search(r'^Path=(.*)$', entry, re.M).group(1)
    fresh.check(all((fresh.root / folder.lstrip('/') / 'Sound' / f'{cue}.wav').exists()
                    for cue in ('Push', 'Kin', 'Pororon')), f'the desktop entry finds the sounds in {folder}')
    files = [f for f in fresh.as_root('dpkg -L minukape').split() if f.startswith('/usr')]
    fresh.as_root('apt-get remove -y -q minukape >/dev/null')
    left = [f for f in files if (fresh.root / f.lstrip('/')).is_file()]
    fresh.check(not left, 'removing the package leaves nothing of it', '\n'.join(left))


def served(fresh):
    """The page built for its site (the link preview's addresses absolute), built plain, then served
    at the address its script prints."""
    site = 'https://example.org/minukape/'
    fresh.run(f'scripts/build-web.sh --site-url {site}')
    page = fresh.file('build/web/index.html').read_text(encoding='utf-8')
    fresh.check(f'"og:url" content="{site}"' in page and f'"og:image" content="{site}minukape-card.png"' in page,
                'the page built for its site has its own and the card\'s absolute addresses')
    fresh.run('scripts/build-web.sh')
    server = fresh.shell(USER, 'PORT=8347 exec scripts/run-web.sh', background=True)
    fresh.ran.append('scripts/run-web.sh')
    try:
        address = None
        for line in server.stdout:
            found = re.search(r'ミヌカペ: (http://\S+)', line)
            if found:
                address = found.group(1)
                break
        fresh.check(address == 'http://127.0.0.1:8347/', f'run-web.sh prints its address: {address}')
        for path, kind in [('', 'text/html'), ('minukape.wasm', 'application/wasm')]:
            def answer():
                try:
                    with urllib.request.urlopen(address + path, timeout=5) as reply:
                        return reply.status == 200 and reply.headers['Content-Type'].startswith(kind)
                except OSError:
                    return False
            wait_for(answer, f'{address}{path} as {kind}')
            print(f'   ok: {address}{path} answers as {kind}', flush=True)
    finally:
        os.killpg(server.pid, signal.SIGTERM)
        server.wait()


def windows(fresh):
    fresh.run('scripts/build-windows.sh')
    built = sorted(p.name for p in fresh.file('build-windows').glob('minukape*.*') if p.is_file())
    for name in ('minukape.exe', 'minukape-1.0.0-setup.exe', 'minukape-1.0.0-windows.zip'):
        fresh.check(name in built, f'build-windows/{name}')


def wait_for(condition, what, seconds=120):
    deadline = time.monotonic() + seconds
    while not condition():
        if time.monotonic() > deadline:
            raise Failure(f'no {what} after {seconds} s')
        time.sleep(0.5)


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
    fresh = Fresh(args.source, args.cache, args.work)
    fresh.make_root()
    print(f'== a pristine Debian 12 root, the clone at {CLONE} ({len(CLONE)} characters)', flush=True)
    failed = []
    # Each step goes on after one before it failed, so one run names every fault.
    for step in (no_desktop, desktop, lambda f: unit(f, shown), lambda f: installed(f, shown), windows, served):
        try:
            step(fresh)
        except Failure as failure:
            print(f'FAILED: {failure}', flush=True)
            failed.append(str(failure).splitlines()[0])
    unrun = sorted({f'{doc}: {c}' for doc, c in shown if c not in fresh.ran and c not in RUN_ELSEWHERE})
    if unrun:
        failed.append('the docs show commands this test does not run: ' + '; '.join(unrun))
    if failed:
        sys.exit('fresh machine: FAILED\n  ' + '\n  '.join(failed))
    print(f'fresh machine: every command the docs show was run ({len(set(c for _, c in shown))})')


if __name__ == '__main__':
    main()
