#!/usr/bin/env python3
"""The browser page in a real headless Chromium, against the desktop program's own answers.

    python3 tests/web/run.py --cornerflow build/app/cornerflow --site build-web/site
    python3 tests/web/run.py ... --measure [--screenshots docs]
    python3 tests/web/run.py ... --soak

The page is served from 127.0.0.1 on a free port (and once opened from file://) and driven with
real pointer, touch and key events through chromedriver and the DevTools protocol (screens,
fingers, the network). What it shows is compared with the desktop program's calculator (--calc)
and snapshot (--snapshot) for the same inputs: both come from the same C++, so texts must be
equal and pictures equal but for the text, which each draws with its own fonts.
The last line is "N passed, N failed"; the exit status is 1 when a check failed.
--measure prints sizes and timings (a phone's screen and CPU among them) instead of checking;
--soak runs the animation for 36000 ticks and compares the memory with that after 1000.

The checks are in check_*.py by subject (the page against the desktop, the picture, the plot,
the screens, links and offline), their shared driver and fixtures in driver.py, the
measurements in measure.py.
"""
import argparse
import os
import sys
import time

from driver import CheckBase, Desktop, serve, start_browser
from check_link_offline import LinkChecks
from check_picture import PictureChecks
from check_plot import PlotChecks
from check_screens import ScreenChecks
from check_shells import ShellChecks
from measure import measure, soak


class Checks(CheckBase, ShellChecks, PictureChecks, PlotChecks, ScreenChecks, LinkChecks):
    pass


def main():
    ap = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    ap.add_argument('--cornerflow', default=os.environ.get('CORNERFLOW', 'build/app/cornerflow'),
                    help='the desktop program (for --calc and --snapshot)')
    ap.add_argument('--site', default='build-web/site', help='the built page folder')
    ap.add_argument('--measure', action='store_true', help='print sizes and timings instead of checking')
    ap.add_argument('--screenshots', help='with --measure: save the README\'s screenshots of the page in this folder')
    ap.add_argument('--soak', action='store_true', help='run the memory soak instead of checking')
    ap.add_argument('--only', help='run only the checks whose method names contain this')
    args = ap.parse_args()
    for path in [args.cornerflow, os.path.join(args.site, 'index.html')]:
        if not os.path.exists(path):
            print('missing: %s' % path)
            print('0 passed, 1 failed')
            return 1

    desktop = Desktop(os.path.abspath(args.cornerflow))
    server = serve(args.site)
    base_url = 'http://127.0.0.1:%d' % server.server_address[1]
    driver = start_browser()
    try:
        if args.measure:
            measure(desktop, driver, base_url, args.site, args.screenshots)
            return 0
        if args.soak:
            return soak(driver, base_url)
        checks = Checks(desktop, driver, base_url, args.site)
        checks.only = args.only
        t0 = time.time()
        checks.run('fields, probes and the wall follow the user as on the desktop',
                   checks.fields_follow_inputs_probe_and_drag)
        checks.run('the exact flow: the shock on its angle, no tracer in the body, its status, the desktop\'s probe',
                   checks.exact_flow_on_the_page)
        checks.run('the status line and the legend in words; reading by keys follows a key turn and an input',
                   checks.status_legend_and_keyboard_reading)
        checks.run('an upright phone: after a tap the read values stand under the picture on the first screen',
                   checks.phone_reads_beside_the_picture)
        checks.run('the picture equals the desktop snapshot but the labels\' text; the canvases are the frame',
                   checks.frame_matches_snapshot)
        checks.run('hostile texts and far drags: desktop texts, no error, still animating',
                   checks.hostile_inputs)
        checks.run('numbers as people type them: read as the desktop reads them, with a note',
                   checks.numbers_as_people_type_them)
        checks.run('pause, step and reset: by key and button; reset as freshly loaded',
                   checks.pause_step_and_reset)
        checks.run('a click that turns the wall reads the flow it made under the pointer at once',
                   checks.click_reads_the_flow_it_made)
        checks.run('the saved picture is the frame, at its scale, named by the wall; with the exact theory',
                   checks.save_picture)
        checks.run('the plot: the tool opens and folds it, boxes choose curves, a drag redraws it, a tick not',
                   checks.plot_panel_quantities_and_ticks)
        checks.run('the plot\'s downloads: --calc\'s profile as CSV, the plot at its device pixels',
                   checks.plot_downloads)
        checks.run('the plot equals the desktop\'s --plot but the text',
                   checks.plot_matches_desktop)
        checks.run('the plot for a screen reader: its name and description, both languages',
                   checks.plot_for_a_screen_reader)
        checks.run('the plot on a phone: inside the page, no text cut off; the model\'s note links to the guide',
                   checks.plot_texts_inside_on_a_phone)
        checks.run('the plot\'s cursor clear of its curves on a phone; its words grown on a projector',
                   checks.plot_cursor_clear_and_words_grown)
        checks.run('names and descriptions for a screen reader, each language throughout',
                   checks.names_and_languages)
        checks.run('every language of the table: its tag, its words',
                   checks.every_language)
        checks.run('the opening language: the address, the remembered choice, the browser\'s, Russian',
                   checks.opening_language)
        checks.run('the tab order, the picture as a slider, one description a second',
                   checks.keyboard_and_screen_reader)
        checks.run('every screen from 320 to 3840 wide, the plot folded and open, every language: fits, in sight, reachable, sharp; a zoom',
                   checks.layouts_for_every_screen)
        checks.run('a phone\'s first screen: the picture and the inputs unscrolled, every tool a finger\'s size',
                   checks.phone_first_screen)
        checks.run('a laptop\'s browser: the picture, the inputs, the gas and the status line unscrolled',
                   checks.laptop_first_screen)
        checks.run('a finger reads and turns; a second finger changes nothing but buttons',
                   checks.finger_reads_and_turns)
        checks.run('no line crosses a label on a phone; the legend leaves the picture in sight and closes '
                   'by its control, Escape and a tap outside',
                   checks.legend_sheet_and_labels)
        checks.run('links open the state the calculator gives; the exact theory remembered and linked; '
                   'hostile links change nothing',
                   checks.links_hold_the_state)
        checks.run('a bad value in a link is told in the command line\'s words', checks.refused_alike)
        checks.run('installable, and opens offline after the first visit',
                   checks.installable_and_offline)
        checks.run('the page runs opened from file://', checks.opens_from_disk)
        print('browser checks: %.0f s' % (time.time() - t0))
        print('%d passed, %d failed' % (checks.passed, checks.failed))
        return 1 if checks.failed else 0
    finally:
        driver.quit()
        server.shutdown()


if __name__ == '__main__':
    sys.exit(main())
