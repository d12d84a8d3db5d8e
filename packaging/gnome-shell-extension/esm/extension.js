// zembo's clipboard extension, as the ES module that GNOME Shell 45 and later load. It owns the
// name org.zembo.Clipboard on the session bus and emits Changed (without the text) each time the
// clipboard changes; GetText answers with the clipboard's text for the program that asks.
// Present brings forward a window of the program that asks, by its title: GNOME lets no Wayland
// program without the focus bring its window forward, but the shell may.
import Gio from 'gi://Gio';
import GLib from 'gi://GLib';
import Meta from 'gi://Meta';
import St from 'gi://St';
import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';

const busName = 'org.zembo.Clipboard';
const objectPath = '/org/zembo/Clipboard';
const busInterface = `<node>
  <interface name="org.zembo.Clipboard">
    <method name="GetText"><arg type="s" direction="out" name="text"/></method>
    <method name="Present">
      <arg type="s" direction="in" name="title"/>
      <arg type="b" direction="out" name="presented"/>
    </method>
    <signal name="Changed"/>
  </interface>
</node>`;

export default class ZemboClipboard extends Extension {
    enable() {
        this._object = Gio.DBusExportedObject.wrapJSObject(busInterface, this);
        this._object.export(Gio.DBus.session, objectPath);
        this._name = Gio.bus_own_name_on_connection(Gio.DBus.session, busName,
            Gio.BusNameOwnerFlags.NONE, null, null);
        this._selection = global.display.get_selection();
        this._handler = this._selection.connect('owner-changed', (selection, type) => {
            if (type === Meta.SelectionType.SELECTION_CLIPBOARD)
                this._object.emit_signal('Changed', null);
        });
    }

    disable() {
        this._selection.disconnect(this._handler);
        Gio.bus_unown_name(this._name);
        this._object.unexport();
        this._object = null;
        this._selection = null;
    }

    // Only a window of the caller's own process: the bus says which process that is (none, 0, for
    // a caller in another process namespace, whose windows the shell cannot tell either).
    PresentAsync([title], invocation) {
        Gio.DBus.session.call('org.freedesktop.DBus', '/org/freedesktop/DBus',
            'org.freedesktop.DBus', 'GetConnectionUnixProcessID',
            new GLib.Variant('(s)', [invocation.get_sender()]), new GLib.VariantType('(u)'),
            Gio.DBusCallFlags.NONE, -1, null, (bus, result) => {
                let window = null;
                try {
                    const [pid] = bus.call_finish(result).deepUnpack();
                    window = global.get_window_actors().map(actor => actor.meta_window)
                        .find(w => pid > 0 && w.get_pid() === pid && w.get_title() === title) ?? null;
                } catch (e) {
                    logError(e, 'zembo clipboard: the caller of Present is unknown');
                }
                window?.activate(global.get_current_time());
                invocation.return_value(new GLib.Variant('(b)', [window !== null]));
            });
    }

    GetTextAsync(parameters, invocation) {
        St.Clipboard.get_default().get_text(St.ClipboardType.CLIPBOARD, (clipboard, text) => {
            invocation.return_value(new GLib.Variant('(s)', [text ?? '']));
        });
    }
}
