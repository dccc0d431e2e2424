"""A series over a Dask cluster, written as nuvak-cli series writes it.

Each file is processed by the series engine's own code on a worker, into a
folder of its own beside the results; the caller then takes the files in
their order, as the engine would: it moves each file's results into the
output folder, appends the file's lines to the log and adds its objects to
the combined tables, and stops at the file that ends the run, so that no
later file leaves a trace."""

import os
import shutil
import tempfile
import types
import uuid
import warnings

from . import _core
from ._operations import OPERATIONS, _flags
from ._options import file_options, option_value, options
from ._recipes import Recipe


class SeriesResult(types.SimpleNamespace):
    """A completed run: log (the log's path), skipped ((path, reason) of the
    files left out) and text (what nuvak-cli series prints after the run)."""


def _given(files, recipe_or_operation, out_dir, aoi, answer, range, quality, format, pixel_size, unit,
           skip_unreadable, params):
    """The run as the tuple the core's series calls take."""
    recipe_path = recipe_text = None
    what = recipe_or_operation
    if isinstance(what, Recipe):
        recipe_text = what.text
        pairs = []
    elif isinstance(what, str) and what in OPERATIONS:
        pairs = options(what, _flags(what), params, answer, aoi)
        params = {}
    elif isinstance(what, (str, os.PathLike)) and (os.path.exists(what) or str(what).endswith(".nrcp")):
        recipe_path = os.fspath(what)
        pairs = []
    else:
        raise ValueError(f'unknown operation "{what}": give an operation of the table, a recipe file or a Recipe')
    if not pairs:
        pairs = [("answer", option_value(answer))] + ([("aoi", option_value(aoi))] if aoi is not None else [])
        pairs += [(key.replace("_", "-"), option_value(value)) for key, value in params.items()]
    pairs += file_options(range, pixel_size, unit, quality)
    if format is not None:
        pairs.append(("format", option_value(format)))
    return [os.fspath(f) for f in files], os.fspath(out_dir), pairs, recipe_path, recipe_text, bool(skip_unreadable)


def _run_file(given, index, first, kept, staging):
    """On a worker: one file of the run into staging; the core's outcome,
    the file's log lines and the names of the files it wrote."""
    os.makedirs(staging, exist_ok=True)
    handle, log = tempfile.mkstemp(prefix="nuvak-series-", suffix=".log")
    os.close(handle)
    try:
        outcome = _core.series_file(given, index, first, kept, staging, log)
        with open(log, "rb") as file:
            lines = file.read()
    finally:
        os.unlink(log)
    return outcome, lines, sorted(os.listdir(staging))


class _Assembly:
    """The output folder, the log and the combined tables, filled in the
    files' order."""

    def __init__(self, out_dir, log_path, staging_root):
        self.out_dir = out_dir
        self.log_path = log_path
        self.root = staging_root
        self.final = _core.join_path(out_dir, "")
        self.tables = {}
        self.skipped = []

    def staging(self, index):
        return os.path.join(self.root, str(index))

    def write_log(self, text):
        """None, or the log's failure: "not opened" or "not written"."""
        log = _core.SeriesLog()
        if not log.open(self.log_path):
            return "not opened"
        log.write(text)
        log.close()
        return "not written" if log.failed() else None

    def take(self, index, source, outcome, lines, names):
        """The file's part of the run; the message that ends it, "", or None
        when the file's log lines were lost."""
        message, abandoned, skipped, _, added, log_lost, notices = outcome
        staged = _core.join_path(self.staging(index), "")
        final = self.final

        def placed(text):
            return text.replace(staged, final)

        for text in notices:
            warnings.warn(text, _core.Notice, stacklevel=4)
        with open(self.log_path, "ab") as log:
            log.write(lines.replace(os.fsencode(staged), os.fsencode(final)))
        tables = {table for table, _ in added}
        for name in names:
            if name not in tables:
                os.replace(os.path.join(self.staging(index), name), os.path.join(self.out_dir, name))
        for table, results in added:
            path = _core.join_path(self.out_dir, table)
            table = self.tables.setdefault(path, _core.CombinedTable(path))
            if not table.add(os.path.basename(source), placed(results)):
                message = message or ("Image Series processing aborted.\nAn error occurred while attempting to write "
                                      f"the file\n{path}\nto disk.\n\nThe file could not be written completely.")
        self.skipped += skipped
        if abandoned is not None:
            raise _core.Error(f"{abandoned}\nseries processing stopped at {source} after the error above; "
                              "the log has no closing line")
        if log_lost:
            return None
        return placed(message)


def series(files, recipe_or_operation, out_dir, client=None, *, aoi=None, answer="yes", range=None, quality=95,
           format=None, pixel_size=None, unit=None, skip_unreadable=False, **params):
    """Applies an operation of the table (with its parameters as keywords)
    or a recipe (a nuvak.Recipe or a recipe file's path) to every file, the
    files spread over a Dask cluster, and writes into out_dir byte for byte
    what `nuvak-cli series --out OUT_DIR` writes: the results, the log
    series_M_D_YYYY H_M_S.log, each image's objects and the combined table.

    client: a distributed.Client of any cluster whose workers see the files
    and out_dir; none starts a distributed.LocalCluster for the run. aoi,
    answer, range, quality, format ("bmp", "png", "tif" or "jpg"),
    pixel_size with unit and skip_unreadable are nuvak-cli series' options.
    Returns a SeriesResult; a run that ends early raises nuvak.Error with
    its message after writing the log as the CLI does.
    """
    given = _given(files, recipe_or_operation, out_dir, aoi, answer, range, quality, format, pixel_size, unit,
                   skip_unreadable, params)
    # Refusals and an unreadable first file come before any cluster starts.
    start = _core.series_start(given)
    if client is None:
        import distributed
        with distributed.LocalCluster(threads_per_worker=1, dashboard_address=None) as cluster, \
                distributed.Client(cluster) as own:
            return _run(given, start, own)
    return _run(given, start, client)


def _run(given, start, client):
    import distributed

    confirmation, log_name, first, aoi_kept = start
    files, out_dir = given[0], given[1]
    log_path = _core.join_path(out_dir, log_name)
    root = os.path.join(out_dir, f".nuvak-series-{uuid.uuid4().hex}")
    assembly = _Assembly(out_dir, log_path, root)
    failure = assembly.write_log(_core.log_opening(confirmation))
    if failure:
        raise _core.Error(_core.series_ending(failure, confirmation, log_path, "", 0))

    def submit(index, kept):
        return client.submit(_run_file, given, index, first, kept, assembly.staging(index), pure=False)

    # A few files per worker thread are out at a time, so that a run that
    # ends at a file waits for only those before its traces are removed. An
    # operation that keeps the first file's AOI for the others (as a filter
    # pulls it in) runs the files one at a time until one has been
    # processed; the rest then get that AOI.
    ahead = 2 * max(sum(client.nthreads().values()), 1)
    futures = {}
    kept = None
    message = ""
    try:
        for index, source in enumerate(files):
            for later in range(index, min(index + (1 if aoi_kept and kept is None else ahead), len(files))):
                if later not in futures:
                    futures[later] = submit(later, kept)
            outcome, lines, names = futures[index].result()
            message = assembly.take(index, source, outcome, lines, names)
            if message is None:
                raise _core.Error(_core.series_ending("not written", confirmation, log_path, "", 0))
            if message:
                break
            if aoi_kept and kept is None and not outcome[2]:
                kept = outcome[3]
    finally:
        distributed.wait(list(futures.values()))
        shutil.rmtree(root, ignore_errors=True)
    if message:
        assembly.write_log(_core.log_closing(message))
        raise _core.Error(message)
    if assembly.write_log(_core.log_closing("")):
        raise _core.Error(_core.series_ending("not written", confirmation, log_path, "", 0))
    return SeriesResult(log=log_path, skipped=assembly.skipped,
                        text=_core.series_ending("complete", confirmation, log_path, "", len(assembly.skipped)))

