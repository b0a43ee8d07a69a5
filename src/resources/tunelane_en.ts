<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>MainWindow</name>
    <message numerus="yes">
        <source>%n entry(s) in favourites lists</source>
        <translation>
            <numerusform>%n entry in a favourites list</numerusform>
            <numerusform>%n entries in favourites lists</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n child lock(s)</source>
        <translation>
            <numerusform>%n child lock</numerusform>
            <numerusform>%n child locks</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The file&apos;s Astra HD+ list (%n channel(s)) was not merged: a 2010-01 list holds no Astra HD+ list.</source>
        <translation>
            <numerusform>The file&apos;s Astra HD+ list (%n channel) was not merged: a 2010-01 list holds no Astra HD+ list.</numerusform>
            <numerusform>The file&apos;s Astra HD+ list (%n channels) was not merged: a 2010-01 list holds no Astra HD+ list.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SaveCapacity</name>
    <message numerus="yes">
        <source>A %1 file holds no Astra HD+ list: its %n channel(s) will not be saved.</source>
        <translation>
            <numerusform>A %1 file holds no Astra HD+ list: its one channel will not be saved.</numerusform>
            <numerusform>A %1 file holds no Astra HD+ list: its %n channels will not be saved.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>A %1 file holds %2 favourites lists: %n channel(s) will leave favourites list %3.</source>
        <translation>
            <numerusform>A %1 file holds %2 favourites lists: %n channel will leave favourites list %3.</numerusform>
            <numerusform>A %1 file holds %2 favourites lists: %n channels will leave favourites list %3.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>A %1 file keeps no order within favourites lists: %n channel(s) will lose their places.</source>
        <translation>
            <numerusform>A %1 file keeps no order within favourites lists: %n channel will lose its place.</numerusform>
            <numerusform>A %1 file keeps no order within favourites lists: %n channels will lose their places.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>A %1 file keeps no child locks: %n channel(s) will be saved unlocked.</source>
        <translation>
            <numerusform>A %1 file keeps no child locks: %n channel will be saved unlocked.</numerusform>
            <numerusform>A %1 file keeps no child locks: %n channels will be saved unlocked.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n name(s) longer than %1 characters will be shortened.</source>
        <translation>
            <numerusform>%n name is longer than %1 characters and will be shortened.</numerusform>
            <numerusform>%n names are longer than %1 characters and will be shortened.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>A %1 file numbers the Astra HD+ favourite range 1 to 99 without gaps: %n channel(s) will be renumbered.</source>
        <translation>
            <numerusform>A %1 file numbers the Astra HD+ favourite range 1 to 99 without gaps: %n channel will be renumbered.</numerusform>
            <numerusform>A %1 file numbers the Astra HD+ favourite range 1 to 99 without gaps: %n channels will be renumbered.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>A %1 file numbers analogue channels 1 to %2 only: %n channel(s) will lose their numbers.</source>
        <translation>
            <numerusform>A %1 file numbers analogue channels 1 to %2 only: %n channel will lose its number.</numerusform>
            <numerusform>A %1 file numbers analogue channels 1 to %2 only: %n channels will lose their numbers.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>A %1 file keeps a transponder (the satellite frequency a channel is broadcast on) only with its satellite: %n channel(s) whose satellite is missing will lose their frequency, polarity, symbol rate, modulation and FEC.</source>
        <translation>
            <numerusform>A %1 file keeps a transponder (the satellite frequency a channel is broadcast on) only with its satellite: %n channel whose satellite is missing will lose its frequency, polarity, symbol rate, modulation and FEC.</numerusform>
            <numerusform>A %1 file keeps a transponder (the satellite frequency a channel is broadcast on) only with its satellite: %n channels whose satellite is missing will lose their frequency, polarity, symbol rate, modulation and FEC.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>A %1 file keeps no network numbers (TSID and ONID, which name the broadcast a digital channel belongs to): %n channel(s) will lose them.</source>
        <translation>
            <numerusform>A %1 file keeps no network numbers (TSID and ONID, which name the broadcast a digital channel belongs to): %n channel will lose them.</numerusform>
            <numerusform>A %1 file keeps no network numbers (TSID and ONID, which name the broadcast a digital channel belongs to): %n channels will lose them.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>A %1 file keeps no colour and sound systems: %n analogue channel(s) will lose them.</source>
        <translation>
            <numerusform>A %1 file keeps no colour and sound systems: %n analogue channel will lose them.</numerusform>
            <numerusform>A %1 file keeps no colour and sound systems: %n analogue channels will lose them.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>A %1 file keeps no bandwidth of analogue channels: %n analogue channel(s) will lose it.</source>
        <translation>
            <numerusform>A %1 file keeps no bandwidth of analogue channels: %n analogue channel will lose it.</numerusform>
            <numerusform>A %1 file keeps no bandwidth of analogue channels: %n analogue channels will lose it.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>A %1 file holds every analogue channel as a TV channel: %n analogue radio or data channel(s) will be listed with the TV channels.</source>
        <translation>
            <numerusform>A %1 file holds every analogue channel as a TV channel: %n analogue radio or data channel will be listed with the TV channels.</numerusform>
            <numerusform>A %1 file holds every analogue channel as a TV channel: %n analogue radio or data channels will be listed with the TV channels.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>A %1 file holds satellite channels as digital ones only: %n analogue satellite channel(s) will be saved as digital ones, or left out when no digital channel is on their transponder (their satellite frequency).</source>
        <translation>
            <numerusform>A %1 file holds satellite channels as digital ones only: %n analogue satellite channel will be saved as a digital one, or left out when no digital channel is on its transponder (its satellite frequency).</numerusform>
            <numerusform>A %1 file holds satellite channels as digital ones only: %n analogue satellite channels will be saved as digital ones, or left out when no digital channel is on their transponder (their satellite frequency).</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>A %1 file keeps one bandwidth, symbol rate and modulation per frequency: %n channel(s) will take those of the first channel on their frequency.</source>
        <translation>
            <numerusform>A %1 file keeps one bandwidth, symbol rate and modulation per frequency: %n channel will take those of the first channel on its frequency.</numerusform>
            <numerusform>A %1 file keeps one bandwidth, symbol rate and modulation per frequency: %n channels will take those of the first channel on their frequency.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>A %1 file keeps frequencies to six digits: %n air or cable channel(s) will have their frequency rounded.</source>
        <translation>
            <numerusform>A %1 file keeps frequencies to six digits: %n air or cable channel will have its frequency rounded.</numerusform>
            <numerusform>A %1 file keeps frequencies to six digits: %n air or cable channels will have their frequency rounded.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>A %1 file keeps satellite frequencies in whole kHz: %n satellite channel(s) will have their frequency cut to whole kHz.</source>
        <translation>
            <numerusform>A %1 file keeps satellite frequencies in whole kHz: %n satellite channel will have its frequency cut to whole kHz.</numerusform>
            <numerusform>A %1 file keeps satellite frequencies in whole kHz: %n satellite channels will have their frequency cut to whole kHz.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>A %1 file keeps only horizontal and vertical polarity: %n satellite channel(s) will have their polarity saved as &quot;%2&quot;.</source>
        <translation>
            <numerusform>A %1 file keeps only horizontal and vertical polarity: %n satellite channel will have its polarity saved as &quot;%2&quot;.</numerusform>
            <numerusform>A %1 file keeps only horizontal and vertical polarity: %n satellite channels will have their polarity saved as &quot;%2&quot;.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>A %1 file keeps QPSK as its only satellite modulation: %n satellite channel(s) will have their modulation saved as &quot;%2&quot;.</source>
        <translation>
            <numerusform>A %1 file keeps QPSK as its only satellite modulation: %n satellite channel will have its modulation saved as &quot;%2&quot;.</numerusform>
            <numerusform>A %1 file keeps QPSK as its only satellite modulation: %n satellite channels will have their modulation saved as &quot;%2&quot;.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>A %1 file keeps the error correction rates (FEC) 1/4 to 9/10 only, not &quot;%2&quot;: %n satellite channel(s) will have their FEC saved as &quot;%3&quot;.</source>
        <translation>
            <numerusform>A %1 file keeps the error correction rates (FEC) 1/4 to 9/10 only, not &quot;%2&quot;: %n satellite channel will have its FEC saved as &quot;%3&quot;.</numerusform>
            <numerusform>A %1 file keeps the error correction rates (FEC) 1/4 to 9/10 only, not &quot;%2&quot;: %n satellite channels will have their FEC saved as &quot;%3&quot;.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>A %1 file keeps only the cable modulations 16-QAM to 256-QAM: %n cable channel(s) will have their modulation saved as &quot;%2&quot;.</source>
        <translation>
            <numerusform>A %1 file keeps only the cable modulations 16-QAM to 256-QAM: %n cable channel will have its modulation saved as &quot;%2&quot;.</numerusform>
            <numerusform>A %1 file keeps only the cable modulations 16-QAM to 256-QAM: %n cable channels will have their modulation saved as &quot;%2&quot;.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>A %1 file cannot hold control characters and other invisible codes that are no text: %n name(s) will lose them.</source>
        <translation>
            <numerusform>A %1 file cannot hold control characters and other invisible codes that are no text: %n name will lose them.</numerusform>
            <numerusform>A %1 file cannot hold control characters and other invisible codes that are no text: %n names will lose them.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>A %1 file holds no favourites lists: %n channel(s) will leave their favourites.</source>
        <translation>
            <numerusform>A %1 file holds no favourites lists: %n channel will leave its favourites.</numerusform>
            <numerusform>A %1 file holds no favourites lists: %n channels will leave their favourites.</numerusform>
        </translation>
    </message>
</context>
</TS>
